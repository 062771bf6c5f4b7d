#include "shell/ScreenNames.h"

QString menuCaption(ScreenId id) {
    switch (id) {
    case ScreenId::Avvio:
    case ScreenId::Menu:
    case ScreenId::Alunno:
        break;
    case ScreenId::Form1:
        return QStringLiteral("trova il costo totale");
    case ScreenId::Form2:
        return QStringLiteral("trova il costo unitario");
    case ScreenId::Form3:
        return QStringLiteral("trova il costo unitario/totale");
    case ScreenId::Form4:
        return QStringLiteral("trova il numero degli articoli");
    case ScreenId::Form5:
        return QStringLiteral("trova il guadagno");
    case ScreenId::Form6:
        return QStringLiteral("trova il ricavo");
    case ScreenId::Form7:
        return QStringLiteral("trova la spesa");
    case ScreenId::Form8:
        return QStringLiteral("spesa - guadagno - ricavo ");
    case ScreenId::Form9:
        return QStringLiteral("tabelle    1");
    case ScreenId::Form10:
        return QStringLiteral("tabelle    2");
    case ScreenId::Form11:
        return QStringLiteral("tabelle    3");
    case ScreenId::Form12:
        return QStringLiteral("guadagno - perdita");
    case ScreenId::Form13:
        return QStringLiteral("usa il denaro");
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
