// The libraries depend one way: each folder of src/ may include and link
// only the folders below it. Every library exports the whole src/ include
// path, so the compiler would let an upward include through; these tests
// stop it instead.
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QStringList>

#include <map>

#include <gtest/gtest.h>

namespace {

// Which folders each folder may use directly: the link lines of
// src/CMakeLists.txt as they stand. Anything these reach in turn may be
// used as well.
const std::map<QString, QStringList> allowed_direct = {
    {QStringLiteral("platform"), {}},
    {QStringLiteral("core"), {QStringLiteral("platform")}},
    {QStringLiteral("startup"), {QStringLiteral("core")}},
    {QStringLiteral("reports"), {QStringLiteral("core")}},
    {QStringLiteral("translate"), {QStringLiteral("reports"), QStringLiteral("core")}},
    {QStringLiteral("options"), {QStringLiteral("reports"), QStringLiteral("core")}},
    {QStringLiteral("editors"), {QStringLiteral("translate"), QStringLiteral("core")}},
    {QStringLiteral("sidewin"), {QStringLiteral("options"), QStringLiteral("core")}},
    {QStringLiteral("mainwin"),
     {QStringLiteral("translate"), QStringLiteral("reports"), QStringLiteral("options"), QStringLiteral("editors"),
      QStringLiteral("sidewin"), QStringLiteral("startup"), QStringLiteral("core")}},
    {QStringLiteral("app"), {QStringLiteral("mainwin"), QStringLiteral("startup"), QStringLiteral("core")}},
};

// The folder itself and everything it may reach.
QSet<QString> reachable(const QString& folder)
{
    QSet<QString> seen{folder};
    QStringList todo{folder};
    while (!todo.isEmpty())
        for (const QString& below : allowed_direct.at(todo.takeLast()))
            if (!seen.contains(below)) {
                seen.insert(below);
                todo.append(below);
            }
    return seen;
}

QString src_dir() { return QStringLiteral(KOLDE_SOURCE_DIR); }

QString read_text(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

// Every .h and .cpp under dir, by its path relative to dir, with its text.
template <typename Fn>
int for_each_source(const QString& dir, Fn&& fn)
{
    int files = 0;
    QDirIterator it(dir, {QStringLiteral("*.h"), QStringLiteral("*.cpp")}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        fn(QDir(dir).relativeFilePath(path), read_text(path));
        ++files;
    }
    return files;
}

// Every folder of src/ is in the table, so a new library cannot slip past.
TEST(Layering, EveryFolderIsInTheTable)
{
    QStringList folders = QDir(src_dir()).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    ASSERT_FALSE(folders.isEmpty()) << src_dir().toStdString();
    for (const QString& folder : folders)
        EXPECT_TRUE(allowed_direct.count(folder)) << folder.toStdString();
}

QString site_dir() { return QDir::cleanPath(src_dir() + QStringLiteral("/../site")); }

// The site's programs (the stand-in servers, the seed builder) use the
// platform stand-ins and nothing above them.
const QSet<QString> site_may_use = {QStringLiteral("site"), QStringLiteral("platform")};

// What is wrong with an include of `header` (as written between the quotes
// or brackets) in a file that may use the folders `may`: empty when nothing
// is. A path through ".." reaches past the order whatever it names.
QString wrong_include(const QString& header, const QSet<QString>& may)
{
    if (header.startsWith(QStringLiteral("../")) || header.contains(QStringLiteral("/../")))
        return QStringLiteral("reaches out through ../");
    const qsizetype slash = header.indexOf(u'/');
    if (slash < 0)
        return {};  // a header of the same folder, or a system one
    const QString to = header.left(slash);
    if (!allowed_direct.count(to) || may.contains(to))
        return {};  // a system header such as <sqlcipher/...>, or below
    return QStringLiteral("includes %1/").arg(to);
}

// Every include of the files of dir against what they may use; counts the
// includes of the program's folders in edges.
QStringList wrong_includes_under(const QString& dir, const QSet<QString>& may, int& edges)
{
    static const QRegularExpression include(QStringLiteral(R"(^\s*#\s*include\s*[<"]([^">]+)[">])"),
                                            QRegularExpression::MultilineOption);
    QStringList wrong;
    for_each_source(dir, [&](const QString& name, const QString& text) {
        for (auto m = include.globalMatch(text); m.hasNext();) {
            const auto match = m.next();
            const QString header = match.captured(1);
            edges += header.contains(u'/') && allowed_direct.count(header.section(u'/', 0, 0));
            const QString why = wrong_include(header, may);
            if (!why.isEmpty()) {
                const int line = text.left(match.capturedStart()).count(u'\n') + 1;
                wrong << QStringLiteral("%1:%2 %3").arg(QDir(dir).dirName() + u'/' + name).arg(line).arg(why);
            }
        }
    });
    return wrong;
}

// An #include "folder/..." in src/<from>/ is an edge from -> folder; site/
// may use the platform only; no include anywhere reaches out through "../".
TEST(Layering, IncludesFollowTheOrder)
{
    int edges = 0;
    QStringList wrong;
    for (const auto& [from, below] : allowed_direct)
        wrong << wrong_includes_under(src_dir() + u'/' + from, reachable(from), edges);
    EXPECT_GT(edges, 0) << "no includes found under " << src_dir().toStdString();
    const int program_edges = edges;
    ASSERT_TRUE(QDir(site_dir()).exists()) << site_dir().toStdString();
    wrong << wrong_includes_under(site_dir(), site_may_use, edges);
    EXPECT_GT(edges, program_edges) << "no includes of the program's folders found under site/";
    EXPECT_TRUE(wrong.isEmpty()) << wrong.join(u'\n').toStdString();
}

// The libraries' link lines in src/CMakeLists.txt, kolde_library(kolde_X
// folder deps...) and any target_link_libraries(kolde_X ...), reach only
// below.
TEST(Layering, LinksFollowTheOrder)
{
    QString text = read_text(src_dir() + QStringLiteral("/CMakeLists.txt"));
    ASSERT_FALSE(text.isEmpty());
    text.remove(QRegularExpression(QStringLiteral("#[^\n]*")));
    static const QRegularExpression call(
        QStringLiteral(R"(\b(kolde_library|target_link_libraries)\s*\(([^)]*)\))"));
    QSet<QString> declared;
    QStringList wrong;
    for (auto m = call.globalMatch(text); m.hasNext();) {
        const auto match = m.next();
        QStringList args = match.captured(2).split(QRegularExpression(QStringLiteral(R"(\s+)")), Qt::SkipEmptyParts);
        if (args.isEmpty() || !args[0].startsWith(QStringLiteral("kolde_")))
            continue;  // the helper's own body, the executable
        const QString from = args.takeFirst().mid(6);
        if (match.captured(1) == QStringLiteral("kolde_library")) {
            EXPECT_EQ(args.value(0), from) << "library kolde_" << from.toStdString() << " builds another folder";
            args.removeFirst();
            declared.insert(from);
        }
        if (!allowed_direct.count(from))
            continue;  // not a library of the table: EveryFolderIsInTheTable
        const QSet<QString> may = reachable(from);
        for (const QString& arg : args)
            if (arg.startsWith(QStringLiteral("kolde_")) && !may.contains(arg.mid(6)))
                wrong << QStringLiteral("kolde_%1 links %2").arg(from, arg);
    }
    for (const auto& [folder, below] : allowed_direct)
        EXPECT_TRUE(declared.contains(folder)) << "no kolde_library line for " << folder.toStdString();
    EXPECT_TRUE(wrong.isEmpty()) << wrong.join(u'\n').toStdString();
}

// Every wait goes through platform/wait.*: no processEvents and no bare
// exec() elsewhere in src/. A pop-up menu's exec(pos) takes an argument.
TEST(Layering, WaitsGoThroughThePlatformWait)
{
    static const QRegularExpression call(QStringLiteral(R"(\bprocessEvents\s*\(|\bexec\s*\(\s*\))"));
    static const QRegularExpression comment(QStringLiteral("//[^\n]*"));
    // main()'s own event loop.
    const QStringList allowed = {QStringLiteral("app/main.cpp: return app.exec();")};
    QStringList wrong;
    const int files = for_each_source(src_dir(), [&](const QString& name, const QString& text) {
        if (name.startsWith(QStringLiteral("platform/wait.")))
            return;
        const QStringList lines = text.split(u'\n');
        for (qsizetype i = 0; i < lines.size(); ++i) {
            QString line = lines[i];
            line.remove(comment);
            const QString where = name + QStringLiteral(": ") + line.trimmed();
            if (line.contains(call) && !allowed.contains(where))
                wrong << QStringLiteral("%1:%2 %3").arg(name).arg(i + 1).arg(line.trimmed());
        }
    });
    EXPECT_GT(files, 100);
    EXPECT_TRUE(wrong.isEmpty()) << wrong.join(u'\n').toStdString();
}

// The program-wide mutable objects of src/: function-local statics and
// thread-locals, and variables at namespace scope (written from the first
// column, as the sources are). Each is "folder/file name".
QSet<QString> program_wide_objects()
{
    static const QRegularExpression local(
        QStringLiteral(R"(^\s+(?:static|thread_local)\s+(?!const\b|constexpr\b)([\w:<>,\s*&()]+?)\s+(\w+)\s*[=;{])"));
    static const QRegularExpression outer(QStringLiteral(
        R"(^(?!(?:static|using|namespace|return|class|struct|enum|template|typedef|friend|extern|const|constexpr|inline)\b))"
        R"(([A-Za-z_][\w:<>,\s*&()]*?)\s+(\w+)\s*(?:=[^=].*;|;|\{.*\};)\s*$)"));
    static const QRegularExpression comment(QStringLiteral("//.*"));
    QSet<QString> found;
    for_each_source(src_dir(), [&](const QString& name, const QString& text) {
        for (QString line : text.split(u'\n')) {
            line.remove(comment);
            for (const QRegularExpression* form : {&local, &outer}) {
                const auto m = form->match(line);
                // A declaration with defaults, f(const QString& s = {}), is no object.
                if (m.hasMatch() && m.captured(1).count(u'(') == m.captured(1).count(u')'))
                    found.insert(name + u' ' + m.captured(2));
            }
        }
    });
    return found;
}

// The objects ARCHITECTURE.md lists under "State and its owners": in a
// row, a `folder/file` followed by the `names` of its objects.
QSet<QString> listed_objects()
{
    const QString note = read_text(QDir::cleanPath(src_dir() + QStringLiteral("/../ARCHITECTURE.md")));
    const qsizetype from = note.indexOf(QStringLiteral("## State and its owners"));
    const QString section = note.mid(from, note.indexOf(QStringLiteral("\n## "), from + 1) - from);
    static const QRegularExpression entry(QStringLiteral(R"(`([\w/]+\.(?:cpp|h))`((?:\s*`\w+`)+))"));
    static const QRegularExpression name(QStringLiteral(R"(`(\w+)`)"));
    QSet<QString> listed;
    for (auto m = entry.globalMatch(section); m.hasNext();) {
        const auto match = m.next();
        for (auto n = name.globalMatch(match.captured(2)); n.hasNext();)
            listed.insert(match.captured(1) + u' ' + n.next().captured(1));
    }
    return listed;
}

// ARCHITECTURE.md names every program-wide mutable object with its owner,
// and nothing that is gone.
TEST(Layering, EveryProgramWideObjectIsListed)
{
    const QSet<QString> found = program_wide_objects();
    const QSet<QString> listed = listed_objects();
    ASSERT_GT(found.size(), 10);
    QStringList unlisted = (found - listed).values();
    QStringList gone = (listed - found).values();
    unlisted.sort();
    gone.sort();
    EXPECT_TRUE(unlisted.isEmpty()) << "not in ARCHITECTURE.md: " << unlisted.join(QStringLiteral(", ")).toStdString();
    EXPECT_TRUE(gone.isEmpty()) << "listed but not in src/: " << gone.join(QStringLiteral(", ")).toStdString();
}

}  // namespace
