// The libraries depend one way: each folder of src/ may include and link
// only the folders below it. Every library exports the whole src/ include
// path, so the compiler would let an upward include through; these tests
// stop it instead.
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLibraryInfo>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QSet>
#include <QStringList>

#include <algorithm>
#include <map>
#include <string_view>
#include <utility>

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

// The text of a source with its comments and the insides of its string and
// character literals blanked, every line and column in its place: what is
// left is code. A "//" inside a literal starts no comment; a "'" inside a
// number (1'000) starts no literal.
QString code_of(const QString& text)
{
    QString code = text;
    const qsizetype n = text.size();
    const auto blank = [&](qsizetype from, qsizetype to) {
        for (qsizetype k = from; k < std::min(to, n); ++k)
            if (code[k] != u'\n')
                code[k] = u' ';
    };
    const auto in_number = [&](qsizetype quote) {
        qsizetype k = quote;
        while (k > 0 && (text[k - 1].isLetterOrNumber() || text[k - 1] == u'_' || text[k - 1] == u'\''))
            --k;
        return k < quote && text[k].isDigit();
    };
    for (qsizetype i = 0; i < n;) {
        const QChar c = text[i];
        const QChar next = i + 1 < n ? text[i + 1] : QChar();
        qsizetype to = i + 1;
        if (c == u'/' && next == u'/') {
            to = text.indexOf(u'\n', i);
            to = to < 0 ? n : to;
            blank(i, to);
        } else if (c == u'/' && next == u'*') {
            to = text.indexOf(QStringLiteral("*/"), i + 2);
            to = to < 0 ? n : to + 2;
            blank(i, to);
        } else if (c == u'"' && i > 0 && text[i - 1] == u'R') {
            // R"delimiter( ... )delimiter"
            const qsizetype open = text.indexOf(u'(', i);
            const QString close = open < 0 ? QString() : u')' + text.mid(i + 1, open - i - 1) + u'"';
            to = open < 0 ? -1 : text.indexOf(close, open);
            to = to < 0 ? n : to + close.size();
            blank(i + 1, to - 1);
        } else if (c == u'"' || (c == u'\'' && !in_number(i))) {
            qsizetype k = i + 1;
            while (k < n && text[k] != c && text[k] != u'\n')
                k += text[k] == u'\\' ? 2 : 1;
            blank(i + 1, k);
            to = k + 1;
        }
        i = to;
    }
    return code;
}

// The names a class goes by in code: its own, an alias (using A = C;
// typedef C A;) and a class derived from it, and theirs in turn.
QStringList names_of(const QString& cls, const QString& code)
{
    QStringList names{cls};
    for (qsizetype i = 0; i < names.size(); ++i) {
        const QRegularExpression other(
                QStringLiteral(R"(\busing\s+(\w+)\s*=\s*(?:::\s*)?%1\s*;|\btypedef\s+(?:::\s*)?%1\s+(\w+)\s*;)"
                               R"(|\b(?:class|struct)\s+(\w+)\s*(?:final\s*)?:\s*(?:(?:public|protected|private|virtual)\s+)*(?:::\s*)?%1\b)")
                        .arg(names[i]));
        for (auto m = other.globalMatch(code); m.hasNext();) {
            const auto match = m.next();
            for (int g = 1; g <= 3; ++g)
                if (const QString name = match.captured(g); !name.isEmpty() && !names.contains(name))
                    names << name;
        }
    }
    return names;
}

// What runs an event loop of its own or stops the program: processEvents,
// sendPostedEvents, any exec() (a dialog's, an event loop's with its flags,
// a menu's at a position), the sleeps, and the static dialogs of message
// boxes, colours, files and input, by any name code gives their classes.
QRegularExpression waits(const QString& code)
{
    const auto any = [&](const char* cls) { return names_of(QString::fromLatin1(cls), code).join(u'|'); };
    return QRegularExpression(
            QStringLiteral(R"(\b(?:processEvents|sendPostedEvents|exec|sleep|msleep|usleep|sleep_for|sleep_until)\s*\()"
                           R"(|\b(?:%1)\s*::\s*(?:information|question|warning|critical|about|aboutQt)\s*\()"
                           R"(|\b(?:%2)\s*::\s*getColor\s*\(|\b(?:%3|%4)\s*::\s*get\w+\s*\()")
                    .arg(any("QMessageBox"), any("QColorDialog"), any("QFileDialog"), any("QInputDialog")));
}

// The waits of a source outside platform/wait.*, as "name:line code" (the
// line where the call begins).
QStringList waits_in(const QString& name, const QString& text, const QRegularExpression& wait)
{
    // main()'s own event loop.
    static const QStringList allowed = {QStringLiteral("app/main.cpp: return app.exec();")};
    const QString code = code_of(text);
    const QStringList lines = text.split(u'\n');
    QStringList found;
    for (auto m = wait.globalMatch(code); m.hasNext();) {
        const auto line = code.left(m.next().capturedStart()).count(u'\n');
        const QString shown = lines.value(line).trimmed();
        if (!allowed.contains(name + QStringLiteral(": ") + shown))
            found << QStringLiteral("%1:%2 %3").arg(name).arg(line + 1).arg(shown);
    }
    return found;
}

// Every wait goes through platform/wait.*: nothing else in src/ runs a loop
// of its own. An alias may be declared in one file and used in another.
TEST(Layering, WaitsGoThroughThePlatformWait)
{
    QMap<QString, QString> sources;
    const int files = for_each_source(src_dir(), [&](const QString& name, const QString& text) {
        if (!name.startsWith(QStringLiteral("platform/wait.")))
            sources.insert(name, text);
    });
    EXPECT_GT(files, 100);
    QString all_code;
    for (const QString& text : sources)
        all_code += code_of(text) + u'\n';
    const QRegularExpression wait = waits(all_code);
    QStringList wrong;
    for (auto it = sources.cbegin(); it != sources.cend(); ++it)
        wrong << waits_in(it.key(), it.value(), wait);
    EXPECT_TRUE(wrong.isEmpty()) << wrong.join(u'\n').toStdString();
}

// The check finds each form of a wait, once, and nothing that only looks
// like one.
TEST(Layering, TheWaitCheckFindsEveryForm)
{
    const auto found = [](const char* planted) {
        const QString text = QString::fromLatin1(planted);
        return waits_in(QStringLiteral("x.cpp"), text, waits(code_of(text)));
    };
    for (const char* planted :
         {"QCoreApplication::processEvents();", "loop.exec(QEventLoop::ExcludeUserInputEvents);",
          "QCoreApplication::sendPostedEvents(nullptr, 0);", "dialog->exec();", "menu->exec(pos);",
          "QMessageBox::information(this, t, m);", "QMessageBox::question(this, t, m);",
          "const QColor c = QColorDialog::getColor(Qt::red, this);", "QFileDialog::getSaveFileName(this);",
          "QInputDialog::getText(this, t, m);", "QThread::msleep(50);", "QThread::sleep(1);",
          "QThread::usleep(10);", "std::this_thread::sleep_for(std::chrono::milliseconds(5));",
          "std::this_thread::sleep_until(then);",
          "const QString u = \"http://x\"; loop.exec();", "const char c = '\"'; loop.exec();",
          "const int n = 1'000; loop.exec();", "const char* r = R\"(\")\"; loop.exec();",
          "dialog\n    ->exec\n    ();", "QMessageBox::\n    warning(this, t,\n                        m);",
          "using Box = QMessageBox;\nBox::critical(this, t, m);", "typedef QFileDialog Files;\nFiles::getOpenFileName();",
          "using Box = QMessageBox;\nusing Alert = Box;\nAlert::about(this, t, m);",
          "class Picker : public QColorDialog {};\nPicker::getColor();"})
        EXPECT_EQ(found(planted).size(), 1) << planted;
    for (const char* not_a_wait :
         {"sqlite3_exec(db, sql, nullptr, nullptr, nullptr);", "// loop.exec();", "/* loop.exec();\n dialog->exec(); */",
          "const char* t = \"dialog.exec();\";", "QMessageBox::Yes | QMessageBox::No",
          "using Box = QMessageBox;\nBox::StandardButton b = Box::Ok;", "QThread::currentThread();", "exec_modal(dialog);"})
        EXPECT_TRUE(found(not_a_wait).isEmpty()) << not_a_wait;
    // The line shown is where the call begins.
    EXPECT_EQ(found("int a;\nQMessageBox::\n  warning(this, t, m);").value(0), QStringLiteral("x.cpp:2 QMessageBox::"));
}

// The declaration that `name` on line `line` (from 0) of code belongs to, up
// to the name: from the end of the statement or block before it, or from a
// preprocessor line, so that another declaration on the same line does not
// count. Empty when the name is not on the line.
QString declaration_before(const QStringList& code_lines, qsizetype line, const QString& name)
{
    QString before = code_lines.value(line);
    const qsizetype at = before.indexOf(QRegularExpression(QStringLiteral(R"(\b%1\b)").arg(name)));
    if (at < 0)
        return {};
    before.truncate(at);
    for (qsizetype i = line;;) {
        const qsizetype end = std::max({before.lastIndexOf(u';'), before.lastIndexOf(u'{'), before.lastIndexOf(u'}')});
        if (end >= 0)
            return before.mid(end + 1);
        if (--i < 0 || code_lines[i].trimmed().startsWith(u'#'))
            return before;
        before = code_lines[i] + u'\n' + before;
    }
}

// Whether a declaration, up to its name, makes the object itself constant:
// constexpr, or const after its last "*" (a pointer to const is no constant
// pointer; a reference is as constant as what it names), outside template
// arguments and parentheses.
bool declared_const(const QString& declaration)
{
    QString outer;
    int depth = 0;
    for (const QChar c : declaration) {
        if (c == u'<' || c == u'(')
            ++depth;
        else if ((c == u'>' || c == u')') && depth > 0)
            --depth;
        else if (depth == 0)
            outer += c;
    }
    static const QRegularExpression constexpr_word(QStringLiteral(R"(\bconstexpr\b)"));
    static const QRegularExpression const_word(QStringLiteral(R"(\bconst\b)"));
    return outer.contains(constexpr_word) || outer.mid(outer.lastIndexOf(u'*') + 1).contains(const_word);
}

// What nm reads of built code.
struct BuiltObjects {
    // The mutable objects that outlive a call, each as "file name" with the
    // file relative to the root (a function-local static by its own name).
    QSet<QString> objects;
    // The source file of every object file read, as "folder/file.cpp".
    QSet<QString> units;
    // How many objects the debugging information placed in a file.
    int placed = 0;
};

// The mutable objects of the given archives or object files declared in a
// file under root, as the compiler laid them out: the objects (not
// functions) of writable data sections, thread-local ones included. The
// section says what the declaration means: an object of an initialised
// section (.data, .tdata) would be read-only data if it were constant, so
// it is mutable whatever its declaration says. An object of a zeroed
// section (.bss, .tbss) was zeroed or is constructed at run time, which a
// constant may be too; it is passed over when its declaration, at the file
// and line the debugging information names, makes the object itself const.
// An object the debugging information places nowhere (a thread-local one)
// and the storage of a Q_GLOBAL_STATIC (placed in a Qt header) count in the
// source file of their object file.
BuiltObjects mutable_objects(const QStringList& binaries, const QString& root)
{
    QProcess nm;
    nm.start(QStringLiteral("nm"), QStringList{QStringLiteral("-f"), QStringLiteral("sysv"), QStringLiteral("-C"),
                                                QStringLiteral("-l"), QStringLiteral("--defined-only")} + binaries);
    if (!nm.waitForFinished(60000))
        return {};
    // "Symbols from .../libkolde_core.a[log.cpp.o]:", ".../kolde.dir/app/main.cpp.o:", ".../planted.cpp.o:"
    static const QRegularExpression member(
            QStringLiteral(R"(^Symbols from (?:.*?lib\w+?_(\w+)\.a\[(.+)\.o\]|(?:.*\.dir/(?:\./)?|.*/)?(.+)\.o):)"));
    static const QRegularExpression initialised(QStringLiteral(R"(^\.t?data(?!\.rel\.ro)\b)"));
    static const QRegularExpression zeroed(QStringLiteral(R"(^\.t?bss\b)"));
    static const QRegularExpression machinery(
            QStringLiteral("guard variable|vtable|typeinfo|staticMetaObject|qt_meta|qt_static_metacall"));
    static const QRegularExpression global_static(QStringLiteral(R"(\bQ_QGS_(\w+))"));
    static const QRegularExpression abi_tag(QStringLiteral(R"(\[abi:\w+\])"));
    BuiltObjects built;
    QMap<QString, QStringList> sources;  // the code of each declaring file, by lines
    QString unit;  // the source file of the object file being read
    for (const QString& row : QString::fromUtf8(nm.readAllStandardOutput()).split(u'\n')) {
        if (const auto m = member.match(row); m.hasMatch()) {
            unit = m.hasCaptured(1) ? m.captured(1) + u'/' + m.captured(2) : m.captured(3);
            built.units.insert(unit);
            continue;
        }
        const QStringList f = row.split(u'|');
        const QString type = f.value(3).trimmed();
        if (f.size() < 7 || (type != u"OBJECT" && type != u"TLS") || f[0].contains(machinery))
            continue;
        const QString section = f[6].section(u'\t', 0, 0).trimmed();
        const bool in_zeroed = section.contains(zeroed);
        if (!in_zeroed && !section.contains(initialised))
            continue;
        const QString place = f[6].section(u'\t', 1);
        const qsizetype colon = place.lastIndexOf(u':');
        built.placed += colon >= 0;
        if (const auto g = global_static.match(f[0]); g.hasMatch()) {
            built.objects.insert(unit + u' ' + g.captured(1));
            continue;
        }
        const QString name = QString(f[0]).remove(abi_tag).section(QStringLiteral("::"), -1).trimmed();
        if (colon < 0) {
            if (type == u"TLS" && !unit.isEmpty())
                built.objects.insert(unit + u' ' + name);
            continue;
        }
        // A path through the build folder, as ccache's base folder leaves it.
        const QString file = QDir::cleanPath(place.left(colon));
        if (!file.startsWith(root + u'/'))
            continue;
        if (!sources.contains(file))
            sources.insert(file, code_of(read_text(file)).split(u'\n'));
        if (!in_zeroed || !declared_const(declaration_before(sources[file], place.mid(colon + 1).toInt() - 1, name)))
            built.objects.insert(file.mid(root.size() + 1) + u' ' + name);
    }
    return built;
}

// The program's objects: those of the libraries of src/ and of the
// program's own object files (main()'s).
BuiltObjects program_wide_objects()
{
    QStringList binaries = QStringLiteral(KOLDE_PROGRAM_OBJECTS).split(u'|', Qt::SkipEmptyParts);
    for (const QString& a : QDir(QStringLiteral(KOLDE_LIBRARY_DIR)).entryList({QStringLiteral("libkolde_*.a")}))
        binaries << QStringLiteral(KOLDE_LIBRARY_DIR) + u'/' + a;
    return mutable_objects(binaries, QDir(src_dir()).canonicalPath());
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

// A declaration planted in a file, the object it makes, and whether that is
// program-wide state. An object of internal linkage is kept from the
// optimiser by taking its address.
struct PlantedObject {
    const char* file;
    const char* code;
    const char* object;
    bool found;
    bool internal;
};

const PlantedObject planted_objects[] = {
    {"planted.h", "inline std::string in_header = \"x\";", "in_header", true, false},
    {"planted.cpp", "static int column_one_static;", "column_one_static", true, true},
    {"planted.cpp", "std::string parenthesised(\"x\");", "parenthesised", true, false},
    {"planted.cpp", "int array[4];", "array", true, false},
    {"planted.cpp", "std::string slashes = \"http://x\"; // and a comment", "slashes", true, false},
    {"planted.cpp", "std::vector<int> multi_line = {\n    1,\n    2};", "multi_line", true, false},
    {"planted.cpp", "namespace {\n    int indented = 1;\n}", "indented", true, true},
    {"planted.cpp", "std::vector<const char*> not_const_inside;", "not_const_inside", true, false},
    {"planted.cpp", "const char* pointer_to_const = \"x\";", "pointer_to_const", true, false},
    {"planted.cpp", "const char* zeroed_pointer_to_const;", "zeroed_pointer_to_const", true, false},
    {"planted.cpp", "static const char* names[2] = {\"a\", \"b\"};", "names", true, true},
    {"planted.cpp", "static const char* zeroed_names[2];", "zeroed_names", true, true},
    {"planted.cpp", "const int limit = 4; int after_const = 1;", "after_const", true, false},
    {"planted.cpp", "const int other_limit = 4; std::string zeroed_after_const;", "zeroed_after_const", true, false},
    {"planted.cpp", "struct Counter { mutable int n = 1; };\nconst Counter counter{};", "counter", true, true},
    {"planted.cpp", "static std::string& referred = *new std::string;", "referred", true, true},
    {"planted.cpp", "struct Thing { int n = 0; };\nQ_GLOBAL_STATIC(Thing, global_thing)\n"
                    "int* thing() { return &global_thing->n; }", "global_thing", true, false},
    {"planted.cpp", "int* local() { static int local_static; return &local_static; }", "local_static", true, false},
    {"planted.cpp", "int* per() { thread_local int per_thread; return &per_thread; }", "per_thread", true, false},
    {"planted.cpp", "const std::string constant(\"x\");", "constant", false, true},
    {"planted.cpp", "const char* const runtime_pointer = std::getenv(\"HOME\");", "runtime_pointer", false, true},
    {"planted.cpp", "static const char* const fixed_names[2] = {\"a\", \"b\"};", "fixed_names", false, true},
    {"planted.cpp", "const std::string* local_constant() { static const std::string kept(\"x\"); return &kept; }",
     "kept", false, false},
};

// The reading of the built code finds an object however it is written: each
// form above is compiled into an object file, optimised as the libraries
// are and as a debugging build leaves it, and found, a constant is not.
// Without debugging information nothing is placed, which the test of the
// program reports as such.
TEST(Layering, EveryFormOfAnObjectIsFound)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString root = QDir(dir.path()).canonicalPath();
    QByteArray header = "#include <string>\n";
    QByteArray source = "#include \"planted.h\"\n#include <QGlobalStatic>\n#include <cstdlib>\n#include <vector>\n";
    QByteArray uses;
    for (const PlantedObject& p : planted_objects) {
        (std::string_view(p.file) == "planted.h" ? header : source) += QByteArray(p.code) + '\n';
        if (p.internal)
            uses += QByteArray("(void*)&") + p.object + ", ";
    }
    source += "extern void* const planted_uses[];\nvoid* const planted_uses[] = {" + uses + "};\n";
    for (const auto& [name, text] : {std::pair{"/planted.h", header}, std::pair{"/planted.cpp", source}}) {
        QFile file(root + QString::fromLatin1(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(text) == text.size());
    }
    const QString qt = QLibraryInfo::path(QLibraryInfo::HeadersPath);
    for (const QStringList& flags : {QStringList{QStringLiteral("-O2"), QStringLiteral("-g")},
                                     QStringList{QStringLiteral("-O0"), QStringLiteral("-g")},
                                     QStringList{QStringLiteral("-O2")}}) {
        const std::string build = flags.join(u' ').toStdString();
        QProcess cxx;
        cxx.setWorkingDirectory(root);
        cxx.start(QStringLiteral("c++"), flags + QStringList{QStringLiteral("-std=c++20"), QStringLiteral("-fPIC"),
                                                             QStringLiteral("-I") + qt,
                                                             QStringLiteral("-I") + qt + QStringLiteral("/QtCore"),
                                                             QStringLiteral("-c"), QStringLiteral("planted.cpp"),
                                                             QStringLiteral("-o"), QStringLiteral("planted.cpp.o")});
        ASSERT_TRUE(cxx.waitForFinished(120000) && cxx.exitCode() == 0)
                << build << ": " << cxx.readAllStandardError().toStdString();
        const BuiltObjects built = mutable_objects({root + QStringLiteral("/planted.cpp.o")}, root);
        EXPECT_EQ(built.units, QSet<QString>{QStringLiteral("planted.cpp")}) << build;
        if (!flags.contains(QStringLiteral("-g"))) {
            EXPECT_EQ(built.placed, 0) << build;
            continue;
        }
        for (const PlantedObject& p : planted_objects)
            EXPECT_EQ(built.objects.contains(QString::fromLatin1(p.file) + u' ' + QString::fromLatin1(p.object)),
                      p.found)
                    << build << ": " << p.code;
    }
}

// ARCHITECTURE.md names every program-wide mutable object with its owner,
// and nothing that is gone; the built code of every source of src/ is read.
TEST(Layering, EveryProgramWideObjectIsListed)
{
    const BuiltObjects built = program_wide_objects();
    ASSERT_GT(built.placed, 0) << "the libraries carry no debugging information, which names the file and line of "
                                  "each object: build them with -g (build type RelWithDebInfo or Debug)";
    QStringList unread;
    for_each_source(src_dir(), [&](const QString& name, const QString&) {
        if (name.endsWith(QStringLiteral(".cpp")) && !built.units.contains(name))
            unread << name;
    });
    EXPECT_TRUE(unread.isEmpty()) << "no built code read for: " << unread.join(QStringLiteral(", ")).toStdString();
    const QSet<QString> listed = listed_objects();
    ASSERT_GT(built.objects.size(), 10);
    QStringList unlisted = (built.objects - listed).values();
    QStringList gone = (listed - built.objects).values();
    unlisted.sort();
    gone.sort();
    EXPECT_TRUE(unlisted.isEmpty()) << "not in ARCHITECTURE.md: " << unlisted.join(QStringLiteral(", ")).toStdString();
    EXPECT_TRUE(gone.isEmpty()) << "listed but not in src/: " << gone.join(QStringLiteral(", ")).toStdString();
}

}  // namespace
