#include "frame/Sentences.h"

#include "shell/Lesson.h"

namespace Sentences {

QString problem(const QString& article, const QStringList& given, const QString& question) {
    return QStringLiteral("%1, %2: %3")
        .arg(article.trimmed(), given.join(QStringLiteral(", ")), question);
}

QString given(const QString& heading, const QString& value) {
    return heading.toLower() + u' ' + value.trimmed();
}

QString whatIs(const QString& heading) {
    // The feminine headings end in "a" or "à": spesa, perdita, quantità.
    const QString lower = heading.toLower();
    const bool feminine = lower.endsWith(u'a') || lower.endsWith(u'à');
    return QStringLiteral("qual è %1 %2?").arg(feminine ? u"la" : u"il", lower);
}

QString outcome(bool right, int esatti, int errati) {
    return QStringLiteral("%1. esatti %2, errati %3.")
        .arg(right ? u"esatto" : u"sbagliato")
        .arg(esatti)
        .arg(errati);
}

QString revenueQuestion(const QStringList& pieces, Money cost) {
    return QStringLiteral("sul tavolo: %1; avevo pagato la merce %2. quanto ho ricavato?")
        .arg(pieces.join(QStringLiteral(", ")), spokenAmount(cost));
}

QString revenueQuestionAgain(const QStringList& pieces, Money cost) {
    return QStringLiteral("il denaro è di nuovo tutto ") + revenueQuestion(pieces, cost);
}

QString paid(Money sum, Money cost) {
    const QString sentence =
        QStringLiteral("pagato %1 di %2").arg(spokenAmount(sum), spokenAmount(cost));
    if (sum > cost)
        return sentence + QStringLiteral(": è più del costo. premi Ricomincia e paga di nuovo");
    return sentence;
}

QString paying(const QStringList& pieces, Money sum, Money cost) {
    return QStringLiteral("sul tavolo: %1. clicca sul denaro che avevi utilizzato per pagare; %2")
        .arg(pieces.isEmpty() ? QStringLiteral("niente") : pieces.join(QStringLiteral(", ")),
             paid(sum, cost));
}

QString gainQuestion(Money cost, Money revenue) {
    return QStringLiteral("avevo pagato la merce %1 e ho ricavato %2: quanto ho guadagnato?")
        .arg(spokenAmount(cost), spokenAmount(revenue));
}

} // namespace Sentences
