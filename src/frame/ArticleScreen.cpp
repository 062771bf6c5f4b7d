#include "frame/ArticleScreen.h"

ArticleScreen::ArticleScreen(Lesson& lesson, Exercise exercise,
                             const std::array<QString, 4>& headings, const Layout& layout,
                             Qt::Alignment label3Alignment, const QString& text1Name)
    : ExerciseScreen(lesson, exercise) {
    for (int i = 0; i < 4; ++i)
        Label6.add(i, addHeading(headings[i], layout.headings[i]));
    // Created in reading order, the order a screen reader goes through them.
    Label3 = addArticleLabel(layout.label3, label3Alignment);
    Label4 = addValueLabel(layout.label4);
    Label5 = addValueLabel(layout.label5);
    Text1 = addAnswerBox(text1Name, layout.text1Points, true, layout.text1);
    // Tab goes through the boxes in reading order, the faces last.
    setTabOrder(Text1, ComandoIconaSi);
    setTabOrder(ComandoIconaSi, ComandoIconaNo);
    judgeText1OnEnter();
}
