// The window's key table is the one list of its keys: README's key tables and the manual page
// name every key of it with what it does, and the tooltips name the keys from it.
#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
#include <QSet>

#include "form_fixture.h"
#include "ui/additions/keys.h"

namespace {

QString sourceText(const char* path) {
    QFile file(QString(KADRO_SOURCE_DIR) + "/" + path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path;
    return QString::fromUtf8(file.readAll());
}

// A documented key: the keys it names ("Ctrl+Z", "Ctrl+Shift+Z", "Ctrl+Y") and what it says.
struct Entry {
    QSet<QString> keys;
    QString text;
};

QSet<QString> keysNamed(QString cell) {
    QSet<QString> keys;
    for (const QString& key : cell.split(QRegularExpression(" / |, |; | or "), Qt::SkipEmptyParts))
        keys.insert(key.trimmed());
    return keys;
}

// The rows of README's key tables: "| key | does |" tables, and the tools' table.
std::vector<Entry> readmeEntries() {
    std::vector<Entry> entries;
    for (const QString& line : sourceText("README.md").split('\n')) {
        static const QRegularExpression row(R"(^\s*\| ([^|]+) \| (.+) \|$)");
        const QRegularExpressionMatch match = row.match(line);
        if (match.hasMatch()) entries.push_back({keysNamed(match.captured(1)), match.captured(2)});
    }
    return entries;
}

// The manual page's KEYS section: each .TP item, its keys in bold, then what they do.
std::vector<Entry> manualEntries() {
    const QString page = sourceText("packaging/kadro.1");
    const QString keys = page.section(".SH KEYS", 1).section(".SH ", 0, 0);
    std::vector<Entry> entries;
    for (const QString& item : keys.split(".TP\n", Qt::SkipEmptyParts)) {
        QString head = item.section('\n', 0, 0);
        head.remove(QRegularExpression(R"(^\.B |\\f[BR])")).replace("\\-", "-");
        entries.push_back({keysNamed(head), item.section('\n', 1)});
    }
    return entries;
}

// Whether a description and a documented text share a word that carries meaning.
bool sameMeaning(const QString& description, const QString& text) {
    static const QSet<QString> plain = {"the", "and", "with", "from", "that", "this", "there", "every",
                                        "more", "less", "side", "comes"};
    for (const QString& word : description.toLower().split(QRegularExpression("[^a-z]+"), Qt::SkipEmptyParts))
        if (word.size() >= 4 && !plain.contains(word) && text.toLower().contains(word)) return true;
    return false;
}

}  // namespace

TEST_F(MainWindowTest, EveryKeyOfTheTableIsInTheReadmeAndTheManualWithItsMeaning) {
    const std::vector<Entry> readme = readmeEntries(), manual = manualEntries();
    ASSERT_GT(manual.size(), 15u);
    for (const KeyRow& key : additions.keys->rows()) {
        for (const auto& [where, entries] : {std::pair{"README", &readme}, std::pair{"kadro.1", &manual}}) {
            bool named = false, meant = false;
            for (const Entry& entry : *entries) {
                if (!entry.keys.contains(key.label)) continue;
                named = true;
                meant |= sameMeaning(key.description, entry.text);
            }
            EXPECT_TRUE(named) << key.label.toStdString() << " is not in " << where;
            EXPECT_TRUE(meant) << key.label.toStdString() << " (" << key.description.toStdString()
                               << ") is said otherwise in " << where;
        }
    }
}

TEST_F(MainWindowTest, TooltipsNameTheKeysOfTheTable) {
    EXPECT_EQ(form->Label14->toolTip(), "Closes KADRO; nothing is saved (Ctrl+Q)");
    EXPECT_EQ(form->Button7->toolTip(), "FILL: fills the visible block with the current colour (Ctrl+Z undoes it)");
    EXPECT_EQ(form->Button3->toolTip(), "Hides or shows the pattern on empty cells (G)");
    EXPECT_EQ(form->Label7->toolTip(), "The layer that clicks edit: up cuts the front layers away (Page Up / Page "
                                       "Down; Ctrl+D copies it onto the layer behind)");
    EXPECT_EQ(form->ScrollBar4->toolTip(), "Cells per side, 2 to 20 (+ / -)");
    EXPECT_EQ(form->Label9->toolTip(), "Red cubes in the visible block (Ctrl+C copies the parts list)");
}
