// The Qt host's boxes: asked from a worker, in the operator's language, wide enough for their
// caption.
#include "ui/qt_dialog_host.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QThread>
#include <QTimer>

namespace hsq {
namespace {

// Answers the next message box that comes up, from the window thread, with its first button
// of the given role, and keeps what the operator saw in it.
class BoxAnswerer {
  public:
    explicit BoxAnswerer(QMessageBox::ButtonRole role) {
        QObject::connect(&poll_, &QTimer::timeout, [this, role] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr || answered_) return;
            answered_ = true;
            seen.onWindowThread = box->thread() == QApplication::instance()->thread();
            for (QAbstractButton* button : box->buttons()) seen.buttons << button->text();
            seen.width = box->width();
            seen.captionWidth = box->fontMetrics().horizontalAdvance(box->windowTitle());
            for (QAbstractButton* button : box->buttons()) {
                if (box->buttonRole(button) == role) button->click();
            }
        });
        poll_.start(5);
    }
    struct {
        bool onWindowThread = false;
        QStringList buttons;
        int width = 0;
        int captionWidth = 0;
    } seen;

  private:
    QTimer poll_;
    bool answered_ = false;
};

// Asked from a worker, a question comes up on the window thread; its buttons, in the operator's
// language, answer as they say.
TEST(QtDialogHost, QuestionsComeUpOnTheWindowThreadInTheOperatorsLanguage) {
    LanguageFlag language = kChinese;
    QWidget window;
    QtDialogHost host(&window, language);
    {
        BoxAnswerer answerer(QMessageBox::YesRole);
        bool answer = false;
        bool onWorker = false;
        host.RunWorker([&](WorkProgress&) {
            onWorker = QThread::currentThread() != QApplication::instance()->thread();
            answer = host.AskYesNo("系统消息", "要退出吗? ");
        });
        EXPECT_TRUE(onWorker && answer && answerer.seen.onWindowThread);
        ASSERT_EQ(answerer.seen.buttons.size(), 2);
        EXPECT_TRUE(answerer.seen.buttons.join(' ').contains(QString::fromUtf8("是")));
        EXPECT_TRUE(answerer.seen.buttons.join(' ').contains(QString::fromUtf8("否")));
        EXPECT_GT(answerer.seen.width, answerer.seen.captionWidth);
    }
    {
        BoxAnswerer answerer(QMessageBox::NoRole);
        EXPECT_FALSE(host.AskYesNo("系统消息", "要退出吗? "));
    }
    {
        BoxAnswerer answerer(QMessageBox::AcceptRole);
        host.ShowMessage("系统信息", "x");
        EXPECT_EQ(answerer.seen.buttons, QStringList{QString::fromUtf8("确定")});
    }
    language = kEnglish;
    BoxAnswerer answerer(QMessageBox::AcceptRole);
    host.ShowMessage("System information", "x");
    EXPECT_EQ(answerer.seen.buttons, QStringList{"OK"});
}

}  // namespace
}  // namespace hsq
