// Quitting ends the application's event loop for good, so these run last when all widget
// tests share one process (CTest runs each on its own).
#include <QTimer>

#include "form_fixture.h"

TEST_F(MainWindowTest, CloseMarkEndsTheEventLoopWithZero) {
    form->show();
    QTimer::singleShot(0, form.get(), [this] { QTest::mouseClick(form->Label14, Qt::LeftButton); });
    // A safety net so a broken close mark fails instead of hanging; it ends with the test.
    QTimer safety;
    safety.setSingleShot(true);
    QObject::connect(&safety, &QTimer::timeout, [] { QApplication::exit(99); });
    safety.start(5000);
    EXPECT_EQ(QApplication::exec(), 0);
}

// Closing the main window through the window manager used to hide it and leave the process
// running with only the About window.
TEST_F(MainAndAboutWindowTest, ClosingTheMainWindowAnyWayEndsTheProgram) {
    form->show();
    form->Button11->click();
    ASSERT_TRUE(about->isVisible());
    QTimer::singleShot(0, form.get(), [this] { form->close(); });  // as the window manager's close does
    QTimer safety;
    safety.setSingleShot(true);
    QObject::connect(&safety, &QTimer::timeout, [] { QApplication::exit(99); });
    safety.start(5000);
    EXPECT_EQ(QApplication::exec(), 0);
}
