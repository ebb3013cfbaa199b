// Translates every observation of a file of real reports (one report a line:
// station code, day-time group, body) with the served dictionaries, explains
// each of its groups as if it were selected in the console, and counts by
// kind of line the reports whose translation or explanation shows a number
// the report does not hold in a group of the form that line reads, an empty
// line, or a control character; and the translations that leave out what
// the report's observation holds.
//
//   check_translation REPORTS [--dump OUT] [--before DUMP]
//                     [--dump-explain OUT] [--before-explain DUMP]
//                     [--local] [--list KIND]... [--examples N] [--limit N]
//
// --dump writes every translation, --dump-explain every explanation, one
// report a line, for a later run's --before and --before-explain: that run
// then also counts the reports whose translation or explanation showed an
// item of the report's own that it no longer shows. --local shows the times
// in local time with a time difference of +9. --list names every report
// counted for a kind (or "all") on standard error; --examples N prints N of
// each count after the figures. --limit reads only the first N reports.
#include "core/database.h"
#include "reports/station_file.h"
#include "support/explanation_numbers.h"
#include "support/fixtures.h"
#include "support/report_forms.h"
#include "support/report_numbers.h"
#include "translate/group_explanation.h"
#include "translate/translation.h"

#include <QDate>
#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QTextStream>

#include <cstdio>
#include <map>
#include <optional>
#include <algorithm>

namespace {

QString u8(const char* s) { return QString::fromUtf8(s); }

bool japanese(const QString& report) { return report.startsWith(u"RJ") || report.startsWith(u"RO"); }

// ---------------------------------------------------------------- dumps

QString escaped(const QString& s)
{
    QString out;
    out.reserve(s.size());
    for (const QChar c : s) {
        if (c == u'\\')
            out += QStringLiteral("\\\\");
        else if (c == u'\t')
            out += QStringLiteral("\\t");
        else if (c == u'\n')
            out += QStringLiteral("\\n");
        else if (c == u'\r')
            out += QStringLiteral("\\r");
        else if (kolde_test::control_character(c))
            out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        else
            out += c;
    }
    return out;
}

QString unescaped(QStringView s)
{
    QString out;
    out.reserve(s.size());
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i] != u'\\' || i + 1 == s.size()) {
            out += s[i];
            continue;
        }
        const QChar c = s[++i];
        if (c == u'u' && i + 4 < s.size()) {
            out += QChar(static_cast<char16_t>(s.sliced(i + 1, 4).toUShort(nullptr, 16)));
            i += 4;
            continue;
        }
        out += c == u't' ? QChar(u'\t') : c == u'n' ? QChar(u'\n') : c == u'r' ? QChar(u'\r') : c;
    }
    return out;
}

// A dump: the report, then its fields, tab-separated.
class Dump {
public:
    bool open(const QString& path)
    {
        file_.setFileName(path);
        if (!file_.open(QIODevice::ReadOnly))
            return false;
        for (qint64 at = 0; !file_.atEnd(); at = file_.pos()) {
            const QByteArray line = file_.readLine();
            const qsizetype tab = line.indexOf('\t');
            const QString report = QString::fromUtf8(tab < 0 ? line.chopped(1) : line.first(tab));
            if (!offsets_.contains(report))
                offsets_.insert(report, at);
        }
        return true;
    }
    bool empty() const { return offsets_.isEmpty(); }
    std::optional<QStringList> fields(const QString& report)
    {
        const auto at = offsets_.find(report);
        if (at == offsets_.end() || !file_.seek(at.value()))
            return std::nullopt;
        QString line = QString::fromUtf8(file_.readLine());
        if (line.endsWith(u'\n'))
            line.chop(1);
        QStringList out;
        for (const QString& f : line.split(u'\t').mid(1))
            out << unescaped(f);
        return out;
    }

private:
    QFile file_;
    QHash<QString, qint64> offsets_;
};

// The translation as fields: its lines without their breaks.
QStringList translation_fields(const QString& text)
{
    QString t = text;
    if (t.endsWith(QStringLiteral("\r\n")))
        t.chop(2);
    return t.split(QStringLiteral("\r\n"));
}

QString translation_of(const QStringList& fields) { return fields.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"); }

// An explanation as a field: empty for none, "=" and the text otherwise.
QString explanation_field(const std::optional<QString>& e) { return e ? u'=' + *e : QString(); }
std::optional<QString> explanation_of(const QString& field)
{
    return field.startsWith(u'=') ? std::optional<QString>(field.mid(1)) : std::nullopt;
}

// ---------------------------------------------------------------- counts

// kind padded to a column width, a CJK character counting twice.
QString padded(const QString& kind, int width)
{
    int w = 0;
    for (const QChar c : kind)
        w += c.unicode() >= 0x1100 ? 2 : 1;
    return kind + QString(std::max(0, width - w), u' ');
}


enum Count { with_kind, foreign, empty_line, control, unshown, lost, counts };
constexpr const char* count_names[counts] = {"with", "foreign", "empty", "control", "unshown", "lost"};

struct Tally {
    int n[counts] = {};
    QStringList examples[counts];
};

// What one report gave, by kind: the counts it falls under, each with a
// detail for the lists.
using Findings = std::map<QString, std::map<Count, QStringList>>;

class Figures {
public:
    Figures(int examples, QStringList listed) : examples_(examples), listed_(std::move(listed)) {}

    void add(const char* section, const QString& report, const Findings& findings, QTextStream& err)
    {
        std::map<QString, Tally>& tallies = by_section_[section];
        for (const auto& [kind, found] : findings) {
            Tally& t = tallies[kind];
            for (const auto& [count, details] : found) {
                ++t.n[count];
                if (count == with_kind)
                    continue;
                const QString line = QStringLiteral("%1 | %2").arg(escaped(report), details.join(QStringLiteral(" ; ")));
                // The file holds some reports twice.
                if (t.examples[count].size() < examples_ && !t.examples[count].contains(line))
                    t.examples[count] << line;
                if (listed_.contains(kind) || listed_.contains(QStringLiteral("all")))
                    err << section << ' ' << count_names[count] << ' ' << kind << ": " << line << '\n';
            }
        }
    }

    // with_before: the lost count; with_unshown: the unshown count.
    void print(QTextStream& out, const char* section, const QString& title, bool with_before,
               bool with_unshown = true) const
    {
        const auto shown = [&](int c) { return (c != lost || with_before) && (c != unshown || with_unshown); };
        out << '\n' << title << '\n';
        out << "  " << padded(u8("kind"), 20);
        for (int c = 0; c < counts; ++c)
            if (shown(c))
                out << QStringLiteral("%1").arg(QString::fromLatin1(count_names[c]), 9);
        out << '\n';
        const auto section_at = by_section_.find(section);
        if (section_at == by_section_.end())
            return;
        for (const auto& [kind, t] : section_at->second) {
            out << "  " << padded(kind, 20);
            for (int c = 0; c < counts; ++c)
                if (shown(c))
                    out << QStringLiteral("%1").arg(t.n[c], 9);
            out << '\n';
        }
        for (const auto& [kind, t] : section_at->second)
            for (int c = 1; c < counts; ++c)
                for (const QString& e : t.examples[c])
                    out << "    " << kind << ' ' << count_names[c] << ": " << e << '\n';
    }

private:
    int examples_;
    QStringList listed_;
    std::map<std::string, std::map<QString, Tally>> by_section_;
};

QString shown_detail(const QString& item, const QString& line)
{
    return QStringLiteral("%1 <- %2").arg(item, escaped(line));
}

// ---------------------------------------------------------------- reading

struct Report {
    QString line, code, day_time, body;
};

// A report line as the display reads it: the code, the day-time group (with
// its "Z" or not), and the body from the group after it.
std::optional<Report> report_of(const QString& raw)
{
    const QString line = raw.trimmed();
    static const QRegularExpression head(QStringLiteral("^(\\S{4}) (\\d{6})Z? "));
    const auto m = head.match(line);
    if (!m.hasMatch())
        return std::nullopt;
    return Report{line, m.captured(1), m.captured(2) + u'Z', kolde_sub::observation_body(line)};
}

// The groups of the console text with their offsets.
QList<std::pair<QString, int>> groups_of(const QString& line)
{
    static const QRegularExpression group(QStringLiteral("\\S+"));
    QList<std::pair<QString, int>> out;
    for (auto it = group.globalMatch(line); it.hasNext();) {
        const auto m = it.next();
        out.append({m.captured(0), static_cast<int>(m.capturedStart())});
    }
    return out;
}

}  // namespace

int main(int argc, char** argv)
{
    QString reports_path, dump_path, before_path, dump_explain_path, before_explain_path;
    QStringList listed;
    bool local = false;
    int examples = 0;
    long long limit = -1;
    for (int i = 1; i < argc; ++i) {
        const QString a = QString::fromLocal8Bit(argv[i]);
        const bool more = i + 1 < argc;
        if (a == u"--dump" && more)
            dump_path = QString::fromLocal8Bit(argv[++i]);
        else if (a == u"--before" && more)
            before_path = QString::fromLocal8Bit(argv[++i]);
        else if (a == u"--dump-explain" && more)
            dump_explain_path = QString::fromLocal8Bit(argv[++i]);
        else if (a == u"--before-explain" && more)
            before_explain_path = QString::fromLocal8Bit(argv[++i]);
        else if (a == u"--list" && more)
            listed << QString::fromLocal8Bit(argv[++i]);
        else if (a == u"--examples" && more)
            examples = QString::fromLocal8Bit(argv[++i]).toInt();
        else if (a == u"--limit" && more)
            limit = QString::fromLocal8Bit(argv[++i]).toLongLong();
        else if (a == u"--local")
            local = true;
        else
            reports_path = a;
    }
    QFile in(reports_path);
    if (reports_path.isEmpty() || !in.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr,
                     "usage: check_translation REPORTS [--dump OUT] [--before DUMP] [--dump-explain OUT] "
                     "[--before-explain DUMP] [--local] [--list KIND]... [--examples N] [--limit N]\n");
        return 2;
    }

    kolde_test::ensure_app();
    kolde_test::ProgramFolder home;
    home.install_seed_database();
    kolde_sub::open_database();
    kolde_sub::TranslationSources sources = kolde_test::hashed_translation_sources();
    const int difference = local ? 9 : 0;
    const QString zone = local ? QStringLiteral("I") : QStringLiteral("Z");
    sources.local_time = local;
    sources.time_difference = QStringLiteral("+9");
    kolde_sub::ExplanationSources explaining;
    explaining.airport_name = sources.airport_name;
    explaining.weather_abbr = sources.weather_abbr;
    explaining.translation_word = sources.translation_word;
    explaining.local_time = local;
    explaining.time_difference = QStringLiteral("+9");
    // The day of the file: its days roll over in November.
    explaining.today = QDate(2010, 11, 6);
    kolde_test::ExplanationContext explanation_context;
    explanation_context.airport_name = sources.airport_name;
    explanation_context.weather_abbr = sources.weather_abbr;
    explanation_context.translation_word = sources.translation_word;
    explanation_context.difference = difference;
    explanation_context.zone_text = QStringLiteral("I (UTC+9)");
    explanation_context.month_days = 30;

    Dump before, before_explain;
    if (!before_path.isEmpty() && !before.open(before_path))
        std::fprintf(stderr, "cannot read %s\n", qPrintable(before_path));
    if (!before_explain_path.isEmpty() && !before_explain.open(before_explain_path))
        std::fprintf(stderr, "cannot read %s\n", qPrintable(before_explain_path));
    QFile dump(dump_path), dump_explain(dump_explain_path);
    for (QFile* f : {&dump, &dump_explain})
        if (!f->fileName().isEmpty() && !f->open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(f->fileName()));
            return 2;
        }

    QTextStream err(stderr);
    Figures figures(examples, listed);
    long long reports = 0, japanese_reports = 0, untranslatable = 0, changed = 0, japanese_changed = 0;
    long long groups = 0, explained = 0, explanations_changed = 0;
    while (!in.atEnd() && (limit < 0 || reports < limit)) {
        const std::optional<Report> r = report_of(QString::fromLatin1(in.readLine()));
        if (!r)
            continue;
        ++reports;
        japanese_reports += japanese(r->line);

        kolde_test::ReportContext context;
        context.day_time = r->day_time;
        context.difference = difference;
        context.zone = zone;
        context.dictionary = sources.translation_word;
        const QString time = kolde_test::forms::moved_hour(r->day_time.mid(2, 2), difference) + r->day_time.mid(4, 2) + zone;
        const QString text = kolde_sub::translate_observation(r->code, time, r->body, sources).text;

        // ---- the translation
        Findings found;
        if (text == QString::fromUtf8(kolde_sub::untranslatable_text)) {
            ++untranslatable;
        } else {
            const QList<kolde_test::ShownLine> lines = kolde_test::shown_lines(text);
            for (const kolde_test::ShownLine& l : lines) {
                found[l.kind][with_kind];
                if (l.empty)
                    found[l.kind][empty_line] << escaped(l.text);
                if (l.control)
                    found[l.kind][control] << escaped(l.text);
            }
            const kolde_test::NumberCheck check = kolde_test::check_numbers(r->body, text, context);
            for (const kolde_test::LineFault& f : check.foreign_details)
                found[f.kind][foreign] << shown_detail(f.item, f.line);
            for (const kolde_test::LineFault& f : check.lost_details)
                found[f.kind][unshown] << f.item;
        }
        if (dump.isOpen()) {
            QStringList fields;
            for (const QString& f : translation_fields(text))
                fields << escaped(f);
            dump.write((r->line + u'\t' + fields.join(u'\t') + u'\n').toUtf8());
        }
        if (const auto then = before.empty() ? std::nullopt : before.fields(r->line)) {
            // Compared as the dump holds them (the fixed text of a report that
            // cannot be translated ends without a line break).
            const QString earlier = translation_of(*then);
            if (*then != translation_fields(text)) {
                ++changed;
                if (japanese(r->line)) {
                    ++japanese_changed;
                    err << "Japanese report changed: " << r->line << '\n';
                }
                for (const auto& [kind, gone] : kolde_test::no_longer_shown(r->body, earlier, text, context))
                    found[kind][lost] << gone;
            }
        }
        figures.add("translation", r->line, found, err);

        // ---- the explanation of each group
        Findings explained_found;
        const auto selected = groups_of(r->line);
        QList<std::optional<QString>> now;
        for (const auto& [group, at] : selected) {
            ++groups;
            const std::optional<QString> e =
                kolde_sub::explain_group(group, r->line, at, static_cast<int>(group.size()), explaining);
            now << e;
            if (!e)
                continue;
            ++explained;
            const kolde_test::ExplanationReading reading = kolde_test::read_explanation(group, e, explanation_context);
            auto& f = explained_found[reading.kind];
            f[with_kind];
            const QString detail = QStringLiteral("%1 -> %2").arg(group, escaped(*e));
            if (!reading.foreign.isEmpty())
                f[foreign] << reading.foreign.join(u',') + QStringLiteral(" <- ") + detail;
            if (reading.empty)
                f[empty_line] << detail;
            if (reading.control)
                f[control] << detail;
        }
        if (dump_explain.isOpen()) {
            QStringList fields;
            for (const auto& e : now)
                fields << escaped(explanation_field(e));
            dump_explain.write((r->line + u'\t' + fields.join(u'\t') + u'\n').toUtf8());
        }
        if (const auto then = before_explain.empty() ? std::nullopt : before_explain.fields(r->line);
            then && then->size() == now.size()) {
            bool differs = false;
            for (qsizetype i = 0; i < now.size(); ++i) {
                const std::optional<QString> earlier = explanation_of(then->at(i));
                if (earlier == now[i])
                    continue;
                differs = true;
                const QString& group = selected[i].first;
                const auto was = kolde_test::read_explanation(group, earlier, explanation_context);
                const auto is = kolde_test::read_explanation(group, now[i], explanation_context);
                if (was.kind.isEmpty())
                    continue;
                QStringList own = was.items;
                for (const QString& f : was.foreign)
                    own.removeOne(f);
                // An explanation that showed only numbers not the group's
                // own, or that no rule of form reads, is not missed.
                QStringList gone;
                if (is.kind.isEmpty() && (!own.isEmpty() || (was.foreign.isEmpty() && was.kind != u8("その他"))))
                    gone << QStringLiteral("(explanation)");
                else if (!is.kind.isEmpty())
                    gone = kolde_test::unmatched(own, is.items);
                if (!gone.isEmpty())
                    explained_found[was.kind][lost]
                        << QStringLiteral("%1: %2 -> %3").arg(gone.join(u','), escaped(earlier.value_or(QString())),
                                                               escaped(now[i].value_or(QString())));
            }
            explanations_changed += differs;
        }
        figures.add("explanation", r->line, explained_found, err);
    }
    err.flush();

    QTextStream out(stdout);
    out << "reports " << reports << ", Japanese " << japanese_reports << ", untranslatable " << untranslatable
        << (local ? "; times in local time (+9)" : "; times as the report's own (UTC)") << '\n';
    if (!before.empty())
        out << "translations changed since the dump: " << changed << ", Japanese " << japanese_changed << '\n';
    if (!before_explain.empty())
        out << "reports whose explanations changed since the dump: " << explanations_changed << '\n';
    figures.print(out, "translation",
                  QStringLiteral("translation lines: reports with a line of the kind, with a number not the report's own "
                                 "in a group of its form, an empty line, a control character, an own number not shown, "
                                 "and one shown before and no longer"),
                  !before.empty());
    figures.print(out, "explanation",
                  QStringLiteral("explanations (%1 groups, %2 explained): reports with an explanation of the kind, ...")
                      .arg(groups)
                      .arg(explained),
                  !before_explain.empty(), false);
    return 0;
}
