#include "frame/Sentences.h"

#include "model/ProblemSentences.h"

namespace Sentences {

QString outcome(bool right, int esatti, int errati) {
    return QStringLiteral("%1. esatti %2, errati %3.")
        .arg(right ? u"esatto" : u"sbagliato")
        .arg(esatti)
        .arg(errati);
}

QString revenueQuestion(const QStringList& pieces, Money cost, const Currency& money,
                        Reading reading) {
    return ProblemSentences::revenueQuestion(pieces, money.spokenAmount(cost, reading));
}

QString revenueQuestionAgain(const QStringList& pieces, Money cost, const Currency& money,
                             Reading reading) {
    return QStringLiteral("il denaro è di nuovo tutto ") +
           revenueQuestion(pieces, cost, money, reading);
}

QString paid(Money sum, Money cost, const Currency& money, Reading reading) {
    const QString sentence =
        QStringLiteral("pagato %1 di %2")
            .arg(money.spokenAmount(sum, reading), money.spokenAmount(cost, reading));
    if (sum > cost)
        return sentence + QStringLiteral(": è più del costo. premi Ricomincia e paga di nuovo");
    return sentence;
}

QString paying(const QStringList& pieces, Money sum, Money cost, const Currency& money,
               Reading reading) {
    // Paid too much, a click on the money does nothing: only "Ricomincia" helps.
    if (sum > cost)
        return paid(sum, cost, money, reading);
    return QStringLiteral("sul tavolo: %1. clicca sul denaro che avevi utilizzato per pagare; %2")
        .arg(pieces.isEmpty() ? QStringLiteral("niente") : pieces.join(QStringLiteral(", ")),
             paid(sum, cost, money, reading));
}

QString gainQuestion(Money cost, Money revenue, const Currency& money, Reading reading) {
    return QStringLiteral("avevo pagato la merce %1 e ho ricavato %2: quanto ho guadagnato?")
        .arg(money.spokenAmount(cost, reading), money.spokenAmount(revenue, reading));
}

} // namespace Sentences
