// The X clipboard for the end-to-end test, as another program would use it.
//   clipboard           holds the text read from standard input until another
//                       program takes the clipboard; prints "ready" once it owns it
//   clipboard --length  prints the length in characters of the clipboard's text
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <cstdio>
#include <cstring>

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (argc > 1 && std::strcmp(argv[1], "--length") == 0) {
        std::printf("%lld\n", static_cast<long long>(clipboard->text().size()));
        return 0;
    }
    QFile input;
    if (!input.open(stdin, QIODevice::ReadOnly))
        return 1;
    clipboard->setText(QString::fromUtf8(input.readAll()));
    QObject::connect(clipboard, &QClipboard::dataChanged, &app, &QCoreApplication::quit);
    std::puts("ready");
    std::fflush(stdout);
    return QGuiApplication::exec();
}
