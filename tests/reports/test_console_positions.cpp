// Positions between the console text (CR LF breaks) and the control's
// document (one character per break).
#include "reports/console_positions.h"
#include "support/fixtures.h"

#include <gtest/gtest.h>

#include <QTextCursor>
#include <QTextDocument>

using namespace kolde_sub;

namespace {

// Document "AB|CD||E|" ('|' = break): rule text "AB\r\nCD\r\n\r\nE\r\n".
//   document  A0 B1 |2 C3 D4 |5 |6 E7 |8            (length 9)
//   rule      A0 B1 CR2 LF3 C4 D5 CR6 LF7 CR8 LF9 E10 CR11 LF12  (length 13)
const QString sample = QStringLiteral("AB\nCD\n\nE\n");

}  // namespace

TEST(ConsolePositions, RuleTextDoublesEveryBreak)
{
    const ConsolePositions m(sample);
    EXPECT_EQ(m.rule_text(), QStringLiteral("AB\r\nCD\r\n\r\nE\r\n"));
    EXPECT_EQ(m.rule_length(), 13);
    EXPECT_EQ(m.document_length(), 9);

    const ConsolePositions empty{QString()};
    EXPECT_TRUE(empty.rule_text().isEmpty());
    EXPECT_EQ(empty.to_document(5), 0);
    EXPECT_EQ(empty.to_rule(5), 0);
    EXPECT_EQ(empty.to_document_span(0, 3).length, 0);

    const ConsolePositions no_break(QStringLiteral("RJTT"));
    EXPECT_EQ(no_break.rule_text(), QStringLiteral("RJTT"));
    EXPECT_EQ(no_break.to_document(3), 3);
}

TEST(ConsolePositions, EveryKindOfBreakBecomesCrLf)
{
    const QChar para = QChar::ParagraphSeparator;
    const QChar line = QChar::LineSeparator;
    const std::pair<QString, QString> cases[] = {
        {QStringLiteral("\n"), QStringLiteral("\r\n")},
        {QStringLiteral("\n\nAB"), QStringLiteral("\r\n\r\nAB")},
        {QStringLiteral("A") + para + QStringLiteral("B") + line + QStringLiteral("C\n"),
         QStringLiteral("A\r\nB\r\nC\r\n")},
        {QString(para) + line + QStringLiteral("\n"), QStringLiteral("\r\n\r\n\r\n")},
        {QStringLiteral("A\rB\n"), QStringLiteral("A\rB\r\n")},  // a lone CR is no break
    };
    for (const auto& [document, rule] : cases) {
        const QString kept = document;
        const ConsolePositions m(document);
        EXPECT_EQ(m.rule_text(), rule);
        EXPECT_EQ(m.document_length(), document.size());
        EXPECT_EQ(document, kept);  // the caller's text is left as it was
    }
}

TEST(ConsolePositions, SearchFromAHintFindsWhatAPlainSearchFinds)
{
    const QString long_text = QStringLiteral("A\nBC\n\n") + QString(40, u'x') + QStringLiteral("\nD\n\n\nE");
    for (const QString& document : {sample, long_text, QStringLiteral("NOBREAK"), QString()}) {
        const ConsolePositions m(document);
        for (qsizetype last = -2; last <= m.rule_length() + 2; ++last) {
            for (qsizetype next = -2; next <= m.rule_length() + 2; ++next) {
                std::size_t hint = 0;
                m.to_document(last, hint);
                EXPECT_EQ(m.to_document(next, hint), m.to_document(next)) << last << " then " << next;
            }
        }
    }
}

TEST(ConsolePositions, RuleToDocumentAroundBreaks)
{
    const ConsolePositions m(sample);
    const std::pair<int, int> cases[] = {
        {0, 0}, {1, 1},
        {2, 2}, {3, 2},             // CR and the place between CR and LF: the break
        {4, 3}, {5, 4},
        {6, 5}, {7, 5}, {8, 6}, {9, 6},  // the empty line
        {10, 7}, {11, 8}, {12, 8},
        {13, 9},                    // the end of the text
        {14, 9}, {-3, 0},           // clamped
    };
    for (const auto& [rule, doc] : cases)
        EXPECT_EQ(m.to_document(rule), doc) << "rule " << rule;
}

TEST(ConsolePositions, RoundTrips)
{
    const ConsolePositions m(sample);
    for (qsizetype d = 0; d <= m.document_length(); ++d)
        EXPECT_EQ(m.to_document(m.to_rule(d)), d) << d;
    const QString& rule = m.rule_text();
    for (qsizetype r = 0; r <= m.rule_length(); ++r) {
        // The LF of a pair comes back as its CR; every other position as itself.
        const bool at_lf = r < rule.size() && rule[r] == u'\n';
        EXPECT_EQ(m.to_rule(m.to_document(r)), at_lf ? r - 1 : r) << r;
    }
    EXPECT_EQ(m.to_rule(2), 2);
    EXPECT_EQ(m.to_rule(3), 4);
    EXPECT_EQ(m.to_rule(7), 10);
    EXPECT_EQ(m.to_rule(9), 13);
}

TEST(ConsolePositions, SpansCoverTheBreakForEitherHalf)
{
    const ConsolePositions m(sample);
    auto span = [&](qsizetype s, qsizetype l) {
        const DocumentSpan d = m.to_document_span(s, l);
        return std::pair<qsizetype, qsizetype>(d.start, d.length);
    };
    using P = std::pair<qsizetype, qsizetype>;
    EXPECT_EQ(span(0, 2), P(0, 2));    // AB
    EXPECT_EQ(span(1, 3), P(1, 2));    // B CR LF
    EXPECT_EQ(span(2, 1), P(2, 1));    // CR alone
    EXPECT_EQ(span(3, 1), P(2, 1));    // LF alone
    EXPECT_EQ(span(2, 2), P(2, 1));    // the pair
    EXPECT_EQ(span(4, 5), P(3, 4));    // C D CR LF CR
    EXPECT_EQ(span(5, 0), P(4, 0));
    EXPECT_EQ(span(10, 100), P(7, 2)); // clipped at the end
    EXPECT_EQ(span(20, 4), P(9, 0));
}

TEST(ConsolePositions, DocumentSeparatorsAndLongTexts)
{
    kolde_test::ensure_app();

    // Set from CR LF text, as the program writes the console.
    QTextDocument set;
    set.setPlainText(QStringLiteral("RJTT  METAR\r\n 300530Z\r\n"));
    EXPECT_EQ(console_rule_text(set), QStringLiteral("RJTT  METAR\r\n 300530Z\r\n"));

    // Built with a paragraph break and a line separator inside a block.
    QTextDocument built;
    QTextCursor c(&built);
    c.insertText(QStringLiteral("AB"));
    c.insertBlock();
    c.insertText(QStringLiteral("CD"));
    c.insertText(QString(QChar::LineSeparator));
    c.insertText(QStringLiteral("E"));
    const ConsolePositions m = ConsolePositions::from_document(built);
    EXPECT_EQ(m.rule_text(), QStringLiteral("AB\r\nCD\r\nE"));
    EXPECT_EQ(built.characterAt(int(m.to_document(m.rule_text().indexOf(u'E')))), QChar(u'E'));
    EXPECT_EQ(built.characterAt(int(m.to_document(m.rule_text().indexOf(u'C')))), QChar(u'C'));

    // Far beyond 16-bit positions.
    QString lines;
    for (int i = 0; i < 6000; ++i)
        lines += QStringLiteral("LINE%1\n").arg(i, 5, 10, QChar(u'0'));
    const ConsolePositions big(lines);
    const qsizetype rule_pos = big.rule_text().indexOf(QStringLiteral("LINE05999"));
    EXPECT_GT(rule_pos, 60000);
    EXPECT_EQ(big.to_document(rule_pos), lines.indexOf(QStringLiteral("LINE05999")));
    EXPECT_EQ(big.to_rule(big.to_document(rule_pos)), rule_pos);
}
