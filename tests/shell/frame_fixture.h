// A main frame over a registry of its own, with scripted messages and the
// clock fixed at Friday, March 5, 1999, 5:07 PM.
#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QVBoxLayout>
#include <memory>
#include <string>
#include <vector>

#include "data/error_manager.h"
#include "dictionary/process_values.h"
#include "platform/date.h"
#include "qt_application.h"
#include "scripted_messages.h"
#include "shell/main_frame.h"
#include "shell/splash_window.h"
#include "ui/procedures.h"

namespace bb::test {

class FrameTest : public ::testing::Test {
protected:
    FrameTest() {
        ensureApplication();
        programErrors().Setup();
        processValues().CurrentProcedure.clear();
        Clock::fix(*dayNumber(1999, 3, 5), timeOfDay(17, 7, 0));
        frame_ = std::make_unique<MainFrame>(registry_, BB_HELP_COLLECTION);
    }
    ~FrameTest() override {
        frame_.reset();
        Clock::release();
        programErrors().Teardown();
    }

    // Shows the frame and closes the splash it opens.
    void showWithoutSplash() {
        frame_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame_.get()));
        QTRY_VERIFY(frame_->splash() != nullptr);
        frame_->splash()->close();
        QTRY_VERIFY(frame_->splash() == nullptr);
        frame_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(frame_.get()));
    }

    // A child window with a title and a short list, shown in the frame at
    // `size`; the frame owns it.
    QWidget& addChild(const QString& title, QSize size = QSize(320, 220)) {
        auto child = std::make_unique<QWidget>();
        child->setWindowTitle(title);
        auto* list = new QListWidget(child.get());
        list->addItems({"Adams, Ruth", "Baker, Thomas", "Chen, Li", "Diaz, Maria"});
        (new QVBoxLayout(child.get()))->addWidget(list);
        child->resize(size);
        QWidget& added = *child;
        frame_->addChildWindow(*child.release());
        return added;
    }

    // Registers `name` as a procedure that counts its calls.
    void countCalls(const std::string& name) {
        registry_.add(name, [this, name](std::string_view) { calls_.push_back(name); });
    }

    QMenu* menu(const QString& title) {
        for (QAction* action : frame_->menuBar()->actions())
            if (action->text().remove('&') == title) return action->menu();
        return nullptr;
    }

    void choose(const QString& menu, const QString& item) {
        QAction* action = frame_->menuItem(menu, item);
        ASSERT_NE(action, nullptr) << menu.toStdString() << ", " << item.toStdString();
        action->trigger();
    }

    ScriptedMessages messages_;
    ProcedureRegistry registry_;
    std::unique_ptr<MainFrame> frame_;
    std::vector<std::string> calls_;
};

}  // namespace bb::test
