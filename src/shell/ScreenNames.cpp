#include "shell/ScreenNames.h"

#include "model/Problem.h"

QString menuCaption(ScreenId id) {
    if (const auto exercise = id.exercise())
        return exerciseTitle(*exercise);
    return QString();
}

QString screenName(ScreenId id) {
    if (id == ScreenId::Avvio)
        return QStringLiteral("la mercanzola");
    if (id == ScreenId::Menu)
        return QStringLiteral("menù");
    if (id == ScreenId::Alunno)
        return QStringLiteral("chi sei?");
    return menuCaption(id).simplified();
}
