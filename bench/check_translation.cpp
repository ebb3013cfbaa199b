// Translates every observation of a file of real reports (one report a line:
// station code, day-time group, body) with the served dictionaries and
// counts the reports whose translation shows a number the report does not
// hold, or leaves out one it holds, line by line.
//
//   check_translation REPORTS [--dump OUT] [--before DUMP]
//
// --dump writes every translation, one report a line, for a later run's
// --before: that run then also counts the reports whose translation changed,
// the Japanese ones among them, and the lines whose own numbers the earlier
// translation showed and this one no longer does.
#include "core/database.h"
#include "support/fixtures.h"
#include "support/report_numbers.h"
#include "translate/translation.h"

#include <QFile>
#include <QHash>
#include <QTextStream>

#include <cstdio>
#include <map>

namespace {

bool japanese(const QString& report) { return report.startsWith(u"RJ") || report.startsWith(u"RO"); }

void count(std::map<QString, int>& by_label, const QStringList& labels)
{
    for (const QString& l : labels)
        ++by_label[l];
}

QString listed(const std::map<QString, int>& by_label)
{
    QString out;
    for (const auto& [label, n] : by_label)
        out += QStringLiteral(" %1 %2").arg(label).arg(n);
    return out;
}

// The lines of a dump: report, then its translation's lines, tab-separated.
QHash<QString, QString> read_dump(const QString& path)
{
    QHash<QString, QString> out;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return out;
    while (!f.atEnd()) {
        const QString line = QString::fromUtf8(f.readLine()).chopped(1);
        const qsizetype tab = line.indexOf(u'\t');
        if (tab > 0)
            out.insert(line.first(tab), line.mid(tab + 1).replace(u'\t', QStringLiteral("\r\n")));
    }
    return out;
}

}  // namespace

int main(int argc, char** argv)
{
    QString reports_path, dump_path, before_path;
    for (int i = 1; i < argc; ++i) {
        const QString a = QString::fromLocal8Bit(argv[i]);
        if (a == u"--dump" && i + 1 < argc)
            dump_path = QString::fromLocal8Bit(argv[++i]);
        else if (a == u"--before" && i + 1 < argc)
            before_path = QString::fromLocal8Bit(argv[++i]);
        else
            reports_path = a;
    }
    QFile in(reports_path);
    if (reports_path.isEmpty() || !in.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "usage: check_translation REPORTS [--dump OUT] [--before DUMP]\n");
        return 2;
    }

    kolde_test::ensure_app();
    kolde_test::ProgramFolder home;
    home.install_seed_database();
    kolde_sub::open_database();
    const kolde_sub::TranslationSources sources = kolde_test::hashed_translation_sources();

    const QHash<QString, QString> before = before_path.isEmpty() ? QHash<QString, QString>() : read_dump(before_path);
    QFile dump(dump_path);
    if (!dump_path.isEmpty() && !dump.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(dump_path));
        return 2;
    }

    int reports = 0, japanese_reports = 0, untranslatable = 0, foreign = 0, lost = 0;
    int changed = 0, japanese_changed = 0, no_longer_shown = 0;
    std::map<QString, int> foreign_by_label, lost_by_label, no_longer_by_label;
    QTextStream err(stderr);
    while (!in.atEnd()) {
        const QString report = QString::fromLatin1(in.readLine()).trimmed();
        if (report.size() < 14 || report[4] != u' ' || report[11] != u'Z')
            continue;
        ++reports;
        const QString body = report.mid(13);
        const QString text =
            kolde_sub::translate_observation(report.first(4), report.mid(7, 4) + u'Z', body, sources).text;
        if (japanese(report))
            ++japanese_reports;
        // A report that cannot be translated shows no number at all.
        if (text == QString::fromUtf8(kolde_sub::untranslatable_text)) {
            ++untranslatable;
            continue;
        }
        const kolde_test::NumberCheck check = kolde_test::check_numbers(body, text);
        foreign += !check.foreign.isEmpty();
        lost += !check.lost.isEmpty();
        count(foreign_by_label, check.foreign);
        count(lost_by_label, check.lost);
        if (!check.foreign.isEmpty() || !check.lost.isEmpty())
            err << "numbers " << check.foreign.join(u',') << " / " << check.lost.join(u',') << ": " << report << '\n';

        if (dump.isOpen())
            dump.write((report + u'\t' + QString(text).chopped(2).replace(QStringLiteral("\r\n"), QStringLiteral("\t")) + u'\n').toUtf8());
        const auto earlier = before.find(report);
        if (earlier == before.end())
            continue;
        const QString then = earlier.value() + QStringLiteral("\r\n");
        if (then == text)
            continue;
        ++changed;
        if (japanese(report)) {
            ++japanese_changed;
            err << "Japanese report changed: " << report << '\n';
        }
        // Lines whose numbers were the report's own then and are not all shown now.
        const kolde_test::NumberCheck own = kolde_test::check_numbers(body, then);
        kolde_test::Numbers shown_then = kolde_test::shown_numbers(then), shown_now = kolde_test::shown_numbers(text);
        QStringList gone;
        for (const auto& [label, numbers] : shown_then) {
            if (own.foreign.contains(label))
                continue;
            for (double n : numbers)
                if (!shown_now[label].contains(n)) {
                    gone << label;
                    break;
                }
        }
        no_longer_shown += !gone.isEmpty();
        count(no_longer_by_label, gone);
        if (!gone.isEmpty())
            err << "no longer shown " << gone.join(u',') << ": " << report << '\n';
    }
    err.flush();

    QTextStream out(stdout);
    out << "reports " << reports << ", Japanese " << japanese_reports << ", untranslatable " << untranslatable << '\n';
    out << "reports showing a number not their own: " << foreign << " (" << listed(foreign_by_label) << " )\n";
    out << "reports with an own number not shown: " << lost << " (" << listed(lost_by_label) << " )\n";
    if (!before.isEmpty()) {
        out << "changed since the dump: " << changed << ", Japanese " << japanese_changed << '\n';
        out << "own numbers shown before and no longer: " << no_longer_shown << " (" << listed(no_longer_by_label)
            << " )\n";
    }
    return 0;
}
