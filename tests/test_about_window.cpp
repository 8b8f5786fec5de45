#include <QClipboard>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QRegularExpression>

#include <QMenu>
#include <QTimer>

#include "form_fixture.h"
#include "ui/form/logo.h"

class AboutWindowTest : public MainAndAboutWindowTest {
protected:
    QStringList lines() const { return about->Memo1->toPlainText().split('\n'); }
};

TEST_F(AboutWindowTest, LayoutOfTheWindow) {
    EXPECT_TRUE(about->isHidden());
    EXPECT_EQ(about->windowTitle(), "ABOUT KADRO");
    EXPECT_FALSE(about->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(about->Image1->geometry(), QRect(152, 16, 193, 73));
    EXPECT_TRUE(about->Image1->stretch());
    EXPECT_EQ(about->Memo1->geometry(), QRect(32, 104, 449, 433));
    EXPECT_FALSE(about->Memo1->isReadOnly());
    EXPECT_EQ(about->Memo1->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(about->Memo1->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    EXPECT_EQ(about->Memo1->palette().color(QPalette::Base), QColor(192, 192, 192));
    EXPECT_EQ(about->palette().color(QPalette::Window), QColor(Qt::black));
    EXPECT_EQ(about->Memo1->font().pixelSize(), 11);
}

TEST_F(AboutWindowTest, TheAboutButtonShowsTheSameWindowWithTheUsersEdits) {
    form->show();
    form->Button11->click();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(about.get()));
    EXPECT_TRUE(about->isVisible());
    EXPECT_EQ(about->frameGeometry().size(), QSize(kAboutWidth, kAboutHeight));
    EXPECT_EQ(QApplication::topLevelWidgets().count(about.get()), 1);
    about->Memo1->appendPlainText("MY NOTE");
    about->close();
    EXPECT_TRUE(about->isHidden());
    form->Button11->click();
    EXPECT_TRUE(about->isVisible());
    EXPECT_TRUE(about->Memo1->toPlainText().endsWith("MY NOTE"));
    // The main window goes on meanwhile.
    EXPECT_TRUE(form->Timer1->isActive());
    form->Button11->click();
    EXPECT_TRUE(about->isVisible());
}

// Decoding once, before any paint, keeps a decoder failure out of Qt's repaint.
TEST_F(AboutWindowTest, TheLogoIsDecodedBeforeEitherWindowPaintsIt) {
    EXPECT_TRUE(about->Image1->hasPicture());
    EXPECT_TRUE(form->Image2->hasPicture());
    const QImage shown = form->Image2->grab().toImage();
    int bright = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x) bright += qGray(shown.pixel(x, y)) > 60;
    EXPECT_GT(bright, 500);  // tiles of colour on black, stretched into 193 x 73
}

TEST_F(AboutWindowTest, TheTextHasThirtyTwoLinesOfItsTopicsInOrder) {
    const QStringList text = lines();
    ASSERT_EQ(text.size(), 32);
    for (int empty : {5, 11, 14, 18, 21, 29, 30}) EXPECT_TRUE(text[empty - 1].isEmpty()) << empty;
    for (int blank : {1, 3, 7}) {
        EXPECT_FALSE(text[blank - 1].isEmpty()) << blank;
        EXPECT_TRUE(text[blank - 1].trimmed().isEmpty()) << blank;
    }
    for (int i = 0; i < 32; ++i) {
        EXPECT_EQ(text[i], text[i].toUpper()) << i + 1;
        if (text[i].trimmed().isEmpty()) continue;
        const qsizetype padding = text[i].indexOf(QRegularExpression("\\S"));
        EXPECT_GE(padding, 3) << i + 1;
        EXPECT_LE(padding, 69) << i + 1;
    }
    EXPECT_EQ(text[1].trimmed(), "KADRO");
    const QString all = about->Memo1->toPlainText();
    auto at = [&](const QString& words) {
        const qsizetype index = all.indexOf(words);
        EXPECT_GE(index, 0) << words.toStdString();
        return index;
    };
    const qsizetype order[] = {at("CAPTIVATING COLOUR CUBIC CONSTRUCTION"), at("THREE-DIMENSIONAL"), at("ACRYLIC OBJECTS"),
                               at("JEWELLERY BOX"),  at("NESTING TABLES"), at("GLUED SLATS"),
                               at("ACRYLIC RODS"),   at("FLUORESCENT"),    at("55 MM"),
                               at("2 MM, 5 MM AND 10 MM"), at("CHILDREN AND ADULTS"), at("EXAMPLE.COM"),
                               at("ORDER*"),        at("DESIGNED BY"),    at("* ALL ORDERS ARE SUBJECT TO AVAILABILITY")};
    for (size_t i = 1; i < std::size(order); ++i) EXPECT_LT(order[i - 1], order[i]) << i;
}

// Qt's own paste into a text box crashed when the X11 clipboard had no owner.
TEST_F(AboutWindowTest, PastingIntoTheTextInsertsPlainTextAndNeverCrashes) {
    about->Memo1->moveCursor(QTextCursor::End);
    QApplication::clipboard()->setText("PASTED");
    about->Memo1->paste();
    EXPECT_TRUE(about->Memo1->toPlainText().endsWith("PASTED"));
    QApplication::clipboard()->clear();
    const QString before = about->Memo1->toPlainText();
    about->Memo1->paste();
    EXPECT_EQ(about->Memo1->toPlainText(), before);
}

// Laying out one very long line takes time growing with the square of its length: a 10 MB
// paste once froze both windows for minutes. What a paste adds is bounded.
TEST_F(AboutWindowTest, AHugePasteReturnsAtOnceAndIsCutToTheBound) {
    form->Button11->click();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(about.get()));
    const QString oneLine(10'000'000, QChar('x'));
    QString manyLines;
    for (int i = 0; i < 200'000; ++i) manyLines += QString(49, QChar('y')) + '\n';
    for (const QString& pasted : {oneLine, manyLines}) {
        about->Memo1->setPlainText("ABOUT");
        about->Memo1->moveCursor(QTextCursor::End);
        QApplication::clipboard()->setText(pasted);
        QElapsedTimer clock;
        clock.start();
        about->Memo1->paste();
        about->Memo1->grab();  // laid out and painted
        EXPECT_LT(clock.elapsed(), 1000) << pasted.size() << " characters";
        const QString text = about->Memo1->toPlainText();
        EXPECT_EQ(text.size(), TMemo::kMaxLength);
        EXPECT_TRUE(text.startsWith("ABOUT" + pasted.left(100)));
    }
    // A full text takes nothing more; a selection makes room for as much as it held.
    QApplication::clipboard()->setText("MORE");
    about->Memo1->moveCursor(QTextCursor::End);
    about->Memo1->paste();
    EXPECT_EQ(about->Memo1->toPlainText().size(), TMemo::kMaxLength);
    about->Memo1->moveCursor(QTextCursor::Start);
    about->Memo1->moveCursor(QTextCursor::NextCharacter, QTextCursor::KeepAnchor);
    about->Memo1->paste();
    EXPECT_TRUE(about->Memo1->toPlainText().startsWith("MBOUT"));
    // Typing, too, stops at the bound (it once took the text past it, 66 ms a key); keys that
    // insert nothing still work, and a selection makes room for what is typed over it.
    about->Memo1->moveCursor(QTextCursor::End);
    QTest::keyClicks(about->Memo1, "typed");
    QTest::keyClick(about->Memo1, Qt::Key_Return);
    EXPECT_EQ(about->Memo1->toPlainText().size(), TMemo::kMaxLength);
    QTest::keyClick(about->Memo1, Qt::Key_Backspace);
    QTest::keyClicks(about->Memo1, "zz");
    EXPECT_EQ(about->Memo1->toPlainText().size(), TMemo::kMaxLength);
    EXPECT_TRUE(about->Memo1->toPlainText().endsWith("z"));
    about->Memo1->moveCursor(QTextCursor::Start);
    about->Memo1->moveCursor(QTextCursor::NextCharacter, QTextCursor::KeepAnchor);
    QTest::keyClicks(about->Memo1, "Q");
    EXPECT_TRUE(about->Memo1->toPlainText().startsWith("QBOUT"));
    EXPECT_EQ(about->Memo1->toPlainText().size(), TMemo::kMaxLength);
}

TEST(LogoPicture, AFailureIsReportedOnceAndLeavesTheImageBlank) {
    const uint8_t notAJpeg[] = {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 'J', 'F', 'I', 'F', 0x00, 0x01};
    QStringList reported;
    const QImage picture =
        decodePicture(notAJpeg, sizeof notAJpeg, [&](const std::exception& error) { reported << error.what(); });
    EXPECT_TRUE(picture.isNull());
    ASSERT_EQ(reported.size(), 1);
    EXPECT_TRUE(reported[0].startsWith("JPEG error #"));
    TImage blank;
    blank.resize(40, 20);
    blank.setPicture(picture);
    EXPECT_FALSE(blank.grab().isNull());  // paints nothing, and nothing fails
}

// A right press on any control of either window opens no menu: the size bar's scrolling menu
// once stacked a menu loop a right press, until the stack overflowed. The About text keeps its
// edit menu, one at a time and without a loop of its own.
TEST_F(MainAndAboutWindowTest, RightPressesOpenNoMenuButTheTextsOwnAndNeverStackOne) {
    form->show();
    about->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(about.get()));
    bool stacked = false;
    QTimer watch;  // a menu with a loop of its own would stop the test inside that loop
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (QWidget* popup = QApplication::activePopupWidget()) {
            stacked = true;
            popup->close();
        }
    });
    watch.start(50);
    const int before = form->ScrollBar4->value();
    for (QWidget* window : {static_cast<QWidget*>(form.get()), static_cast<QWidget*>(about.get())}) {
        for (QWidget* control : window->findChildren<QWidget*>()) {
            if (!control->isVisible() || qobject_cast<TMemo*>(control) || qobject_cast<TMemo*>(control->parentWidget()))
                continue;
            const QPoint at = control->mapTo(window, control->rect().center());
            QTest::mouseClick(window->windowHandle(), Qt::RightButton, {}, at);
            EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << control->objectName().toStdString();
        }
    }
    EXPECT_EQ(form->ScrollBar4->value(), before);  // a right press on the size bar moves nothing
    QWidget* text = about->Memo1->viewport();
    // A press opens the menu; the next one, outside the menu, closes it, as outside any menu.
    for (int press = 0; press < 4; ++press) {
        QTest::mouseClick(about->windowHandle(), Qt::RightButton, {}, text->mapTo(about.get(), QPoint(40, 40)));
        int shown = 0;
        for (QMenu* menu : about->findChildren<QMenu*>()) shown += menu->isVisible();
        EXPECT_EQ(shown, press % 2 ? 0 : 1) << press;
        if (press % 2 == 0) {
            ASSERT_TRUE(qobject_cast<QMenu*>(QApplication::activePopupWidget())) << press;
        }
    }
    EXPECT_FALSE(stacked);
}
