#include "shell/ScreenNames.h"

#include "model/Problem.h"

QString menuCaption(ScreenId id) {
    switch (id) {
    case ScreenId::Avvio:
    case ScreenId::Menu:
    case ScreenId::Alunno:
        break;
    case ScreenId::Form1:
    case ScreenId::Form2:
    case ScreenId::Form3:
    case ScreenId::Form4:
    case ScreenId::Form5:
    case ScreenId::Form6:
    case ScreenId::Form7:
    case ScreenId::Form8:
    case ScreenId::Form9:
    case ScreenId::Form10:
    case ScreenId::Form11:
    case ScreenId::Form12:
    case ScreenId::Form13:
        return exerciseTitle(
            static_cast<Exercise>(static_cast<int>(id) - static_cast<int>(ScreenId::Form1) + 1));
    }
    return QString();
}

QString screenName(ScreenId id) {
    switch (id) {
    case ScreenId::Avvio:
        return QStringLiteral("la mercanzola");
    case ScreenId::Menu:
        return QStringLiteral("menù");
    case ScreenId::Alunno:
        return QStringLiteral("chi sei?");
    default:
        break;
    }
    return menuCaption(id).simplified();
}
