// The folders of src/ depend on each other in one direction only:
//   app -> strips, weather, network, clientlink -> console -> platform
// The subsystems never include each other, and nothing includes app/. The rule library
// (tarvos_domain) stays free of widgets: its files include no QtGui or QtWidgets header and no
// project header outside the library but the platform's interfaces.

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QTextStream>
#include <gtest/gtest.h>

namespace {

const QString kSourceDir = QStringLiteral(TARVOS_SOURCE_DIR);

int rank(const QString &folder) {
    static const QHash<QString, int> ranks{
        {QStringLiteral("platform"), 0}, {QStringLiteral("console"), 1},
        {QStringLiteral("strips"), 2},   {QStringLiteral("weather"), 2},
        {QStringLiteral("network"), 2},  {QStringLiteral("clientlink"), 2},
        {QStringLiteral("app"), 3}};
    return ranks.value(folder, -1);
}

struct Include {
    QString file; // relative to src/
    int line = 0;
    QString target;
    bool quoted = false;
};

// Every file below `root` that matches one of `patterns`: its path relative to root, its text.
template <class Visit>
void forEachFile(const QString &root, const QStringList &patterns, Visit visit) {
    QDirIterator it(root, patterns, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        if (file.open(QIODevice::ReadOnly | QIODevice::Text))
            visit(QDir(root).relativeFilePath(path), QString::fromUtf8(file.readAll()));
    }
}

QList<Include> includesUnder(const QString &root) {
    static const QRegularExpression directive(
        QStringLiteral(R"(^\s*#\s*include\s*([<"])([^>"]+)[>"])"));
    QList<Include> found;
    forEachFile(root, {QStringLiteral("*.h"), QStringLiteral("*.cpp")},
                [&](const QString &file, const QString &text) {
                    const QStringList lines = text.split(QLatin1Char('\n'));
                    for (int i = 0; i < lines.size(); ++i) {
                        const auto m = directive.match(lines[i]);
                        if (m.hasMatch())
                            found.append(
                                {file, i + 1, m.captured(2), m.captured(1) == QLatin1String("\"")});
                    }
                });
    return found;
}

// The files each folder's CMakeLists.txt puts into tarvos_domain.
QSet<QString> domainFiles(const QString &root) {
    static const QRegularExpression block(
        QStringLiteral(R"(target_sources\(\s*tarvos_domain\s+PRIVATE([^)]*)\))"));
    QSet<QString> files;
    forEachFile(root, {QStringLiteral("CMakeLists.txt")},
                [&](const QString &file, const QString &text) {
                    const QString folder = QFileInfo(file).path();
                    for (auto m = block.globalMatch(text); m.hasNext();) {
                        for (const QString &name : m.next().captured(1).split(
                                 QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts))
                            files.insert(folder + QLatin1Char('/') + name);
                    }
                });
    return files;
}

QString where(const Include &inc) {
    return QStringLiteral("src/%1:%2 includes %3").arg(inc.file).arg(inc.line).arg(inc.target);
}

TEST(Layering, IncludesRunOneWay) {
    const QList<Include> includes = includesUnder(kSourceDir);
    ASSERT_GT(includes.size(), 50) << "no sources found under " << qPrintable(kSourceDir);
    for (const Include &inc : includes) {
        if (!inc.quoted)
            continue;
        const QString from = inc.file.section(QLatin1Char('/'), 0, 0);
        const QString to = inc.target.section(QLatin1Char('/'), 0, 0);
        const int fromRank = rank(from);
        const int toRank = rank(to);
        if (fromRank < 0 || toRank < 0)
            continue;
        EXPECT_TRUE(from == to || toRank < fromRank)
            << qPrintable(where(inc)) << ": " << qPrintable(from) << " may not depend on "
            << qPrintable(to);
    }
}

TEST(Layering, RuleLibraryHasNoWidgets) {
    const QSet<QString> domain = domainFiles(kSourceDir);
    ASSERT_GT(domain.size(), 20);
    static const QRegularExpression widgetHeader(QStringLiteral(
        R"(^(QtWidgets|QtGui)/|^Q(Widget|Label|LineEdit|PushButton|CheckBox|ComboBox|PlainTextEdit|Application|MessageBox|Clipboard|GuiApplication|Pixmap|Image|Color|Font|Palette|Screen|Window)\b)"));
    for (const Include &inc : includesUnder(kSourceDir)) {
        if (!domain.contains(inc.file))
            continue;
        if (inc.quoted) {
            // The platform's interfaces are plain abstract classes over QtCore types.
            EXPECT_TRUE(domain.contains(inc.target) ||
                        inc.target == QLatin1String("platform/platform.h"))
                << qPrintable(where(inc)) << ": the rule library includes a header outside it";
        } else {
            EXPECT_FALSE(widgetHeader.match(inc.target).hasMatch())
                << qPrintable(where(inc)) << ": the rule library includes a widget header";
        }
    }
}

} // namespace
