#include "model/ProblemSentences.h"

namespace ProblemSentences {

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

QString revenueQuestion(const QStringList& pieces, const QString& cost) {
    return QStringLiteral("sul tavolo: %1; avevo pagato la merce %2. quanto ho ricavato?")
        .arg(pieces.join(QStringLiteral(", ")), cost);
}

} // namespace ProblemSentences
