// The libraries depend one way: each folder of src/ may include and link
// only the folders below it. Every library exports the whole src/ include
// path, so the compiler would let an upward include through; these tests
// stop it instead.
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QSet>
#include <QStringList>

#include <algorithm>
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

// What runs an event loop of its own: processEvents, sendPostedEvents, any
// exec() (a dialog's, an event loop's with its flags, a menu's at a
// position), and the static dialogs of message boxes, colours and files.
const QRegularExpression& waits()
{
    static const QRegularExpression call(QStringLiteral(
        R"(\b(?:processEvents|sendPostedEvents|exec)\s*\()"
        R"(|\bQMessageBox::(?:information|question|warning|critical|about|aboutQt)\s*\()"
        R"(|\bQColorDialog::getColor\s*\(|\bQFileDialog::get\w+\s*\(|\bQInputDialog::get\w+\s*\()"));
    return call;
}

// The lines of text that wait outside platform/wait.*, as "name:line code".
QStringList waits_in(const QString& name, const QString& text)
{
    static const QRegularExpression comment(QStringLiteral("//[^\n]*"));
    // main()'s own event loop.
    static const QStringList allowed = {QStringLiteral("app/main.cpp: return app.exec();")};
    QStringList found;
    const QStringList lines = text.split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QString line = lines[i];
        line.remove(comment);
        if (line.contains(waits()) && !allowed.contains(name + QStringLiteral(": ") + line.trimmed()))
            found << QStringLiteral("%1:%2 %3").arg(name).arg(i + 1).arg(line.trimmed());
    }
    return found;
}

// Every wait goes through platform/wait.*: nothing else in src/ runs a loop
// of its own.
TEST(Layering, WaitsGoThroughThePlatformWait)
{
    QStringList wrong;
    const int files = for_each_source(src_dir(), [&](const QString& name, const QString& text) {
        if (!name.startsWith(QStringLiteral("platform/wait.")))
            wrong << waits_in(name, text);
    });
    EXPECT_GT(files, 100);
    EXPECT_TRUE(wrong.isEmpty()) << wrong.join(u'\n').toStdString();
}

// The check finds each form of a wait.
TEST(Layering, TheWaitCheckFindsEveryForm)
{
    for (const char* planted :
         {"QCoreApplication::processEvents();", "loop.exec(QEventLoop::ExcludeUserInputEvents);",
          "QCoreApplication::sendPostedEvents(nullptr, 0);", "dialog->exec();", "menu->exec(pos);",
          "QMessageBox::information(this, t, m);", "QMessageBox::question(this, t, m);",
          "const QColor c = QColorDialog::getColor(Qt::red, this);",
          "QFileDialog::getSaveFileName(this);"})
        EXPECT_EQ(waits_in(QStringLiteral("x.cpp"), QString::fromLatin1(planted)).size(), 1) << planted;
    for (const char* not_a_wait : {"sqlite3_exec(db, sql, nullptr, nullptr, nullptr);", "// loop.exec();",
                                   "QMessageBox::Yes | QMessageBox::No"})
        EXPECT_TRUE(waits_in(QStringLiteral("x.cpp"), QString::fromLatin1(not_a_wait)).isEmpty()) << not_a_wait;
}

// Whether the declaration before a name in a line makes a constant: "const"
// or "constexpr" outside template arguments and parentheses.
bool declared_const(const QString& before_name)
{
    QString outer;
    int depth = 0;
    for (const QChar c : before_name) {
        if (c == u'<' || c == u'(')
            ++depth;
        else if ((c == u'>' || c == u')') && depth > 0)
            --depth;
        else if (depth == 0)
            outer += c;
    }
    return outer.contains(QRegularExpression(QStringLiteral(R"(\bconst(?:expr)?\b)")));
}

// The mutable objects that outlive a call, as the compiler laid them out: the
// objects (not functions) of writable data sections, thread-local ones
// included, in the given archives or object files, declared in a file under
// root, each as "file name" with the file relative to root (a function-local
// static by its own name). Read by nm from the built code, so that no way of
// writing a declaration hides one; only an object declared const
// (constructed at run time, so in a writable section too) is passed over,
// by its declaring line. An object the debugging information places nowhere
// (a thread-local one) counts in the source file of its object file, whose
// folder is the library's.
QSet<QString> mutable_objects(const QStringList& binaries, const QString& root)
{
    QProcess nm;
    nm.start(QStringLiteral("nm"), QStringList{QStringLiteral("-f"), QStringLiteral("sysv"), QStringLiteral("-C"),
                                                QStringLiteral("-l"), QStringLiteral("--defined-only")} + binaries);
    if (!nm.waitForFinished(60000))
        return {};
    static const QRegularExpression member(QStringLiteral(R"(^Symbols from .*?(?:lib\w+?_(\w+)\.a\[(.+)\.o\]|([^/]+)\.o):)"));
    static const QRegularExpression writable(QStringLiteral(R"(^\.(?:bss|tbss|tdata|data)(?!\.rel\.ro)\b)"));
    static const QRegularExpression machinery(
        QStringLiteral("guard variable|vtable|typeinfo|staticMetaObject|qt_meta|qt_static_metacall"));
    static const QRegularExpression abi_tag(QStringLiteral(R"(\[abi:\w+\])"));
    QSet<QString> found;
    QMap<QString, QStringList> sources;
    QString unit;  // the source file of the object file being read
    for (const QString& row : QString::fromUtf8(nm.readAllStandardOutput()).split(u'\n')) {
        if (const auto m = member.match(row); m.hasMatch()) {
            unit = m.hasCaptured(1) ? m.captured(1) + u'/' + m.captured(2) : m.captured(3);
            continue;
        }
        const QStringList f = row.split(u'|');
        const QString type = f.value(3).trimmed();
        if (f.size() < 7 || (type != u"OBJECT" && type != u"TLS") || f[0].contains(machinery))
            continue;
        const QString section = f[6].section(u'\t', 0, 0).trimmed();
        const QString place = f[6].section(u'\t', 1);
        const qsizetype colon = place.lastIndexOf(u':');
        const QString name = QString(f[0]).remove(abi_tag).section(QStringLiteral("::"), -1).trimmed();
        if (!section.contains(writable))
            continue;
        if (colon < 0) {
            if (type == u"TLS" && !unit.isEmpty())
                found.insert(unit + u' ' + name);
            continue;
        }
        const QString file = place.left(colon);
        if (!file.startsWith(root + u'/'))
            continue;
        if (!sources.contains(file))
            sources.insert(file, read_text(file).split(u'\n'));
        const QString line = sources[file].value(place.mid(colon + 1).toInt() - 1);
        const qsizetype at = line.indexOf(QRegularExpression(QStringLiteral(R"(\b%1\b)").arg(name)));
        if (!declared_const(line.left(std::max<qsizetype>(at, 0))))
            found.insert(file.mid(root.size() + 1) + u' ' + name);
    }
    return found;
}

// The program's objects: those of the libraries of src/.
QSet<QString> program_wide_objects()
{
    QStringList archives;
    for (const QString& a : QDir(QStringLiteral(KOLDE_LIBRARY_DIR)).entryList({QStringLiteral("libkolde_*.a")}))
        archives << QStringLiteral(KOLDE_LIBRARY_DIR) + u'/' + a;
    return mutable_objects(archives, QDir(src_dir()).canonicalPath());
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

// The reading of the built code finds an object however it is written: each
// form below is compiled into an object file and found, a constant is not.
TEST(Layering, EveryFormOfAnObjectIsFound)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString root = QDir(dir.path()).canonicalPath();
    QFile header(root + QStringLiteral("/planted.h"));
    ASSERT_TRUE(header.open(QIODevice::WriteOnly));
    header.write("#include <string>\ninline std::string in_header = \"x\";\n");
    header.close();
    QFile source(root + QStringLiteral("/planted.cpp"));
    ASSERT_TRUE(source.open(QIODevice::WriteOnly));
    source.write("#include \"planted.h\"\n#include <vector>\n"
                 "static int column_one_static;\n"
                 "std::string parenthesised(\"x\");\n"
                 "int array[4];\n"
                 "std::string slashes = \"http://x\"; // and a comment\n"
                 "std::vector<int> multi_line = {\n    1,\n    2};\n"
                 "namespace {\n    int indented = 1;\n}\n"
                 "const std::string constant(\"x\");\n"
                 "std::vector<const char*> not_const_inside;\n"
                 "int* use() { static int local_static; thread_local int per_thread; (void)column_one_static; "
                 "(void)indented; (void)constant; (void)per_thread; return &local_static; }\n");
    source.close();
    QProcess cxx;
    cxx.setWorkingDirectory(root);
    cxx.start(QStringLiteral("c++"), {QStringLiteral("-std=c++20"), QStringLiteral("-g"), QStringLiteral("-O0"),
                                      QStringLiteral("-c"), QStringLiteral("planted.cpp"), QStringLiteral("-o"),
                                      QStringLiteral("planted.o")});
    ASSERT_TRUE(cxx.waitForFinished(120000) && cxx.exitCode() == 0) << cxx.readAllStandardError().toStdString();
    const QSet<QString> found = mutable_objects({root + QStringLiteral("/planted.o")}, root);
    for (const char* name : {"planted.cpp column_one_static", "planted.cpp parenthesised", "planted.cpp array",
                             "planted.cpp slashes", "planted.cpp multi_line", "planted.h in_header",
                             "planted.cpp indented", "planted.cpp local_static", "planted.cpp not_const_inside",
                             "planted per_thread"})
        EXPECT_TRUE(found.contains(QString::fromLatin1(name))) << name;
    EXPECT_FALSE(found.contains(QStringLiteral("planted.cpp constant")));
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
