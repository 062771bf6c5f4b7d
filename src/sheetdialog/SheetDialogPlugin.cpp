#include "SheetDialog.h"
#include "worksheet/WorksheetDialogPlugin.h"

#include <QObject>

class SheetDialogPlugin : public QObject, public WorksheetDialogFactory {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID MERCANZOLA_WORKSHEET_DIALOG_IID)
    Q_INTERFACES(WorksheetDialogFactory)
public:
    int runDialog(const SheetDialogStart& start) override {
        SheetDialog dialog(start);
        dialog.exec();
        return 0;
    }
};

#include "SheetDialogPlugin.moc"
