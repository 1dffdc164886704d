#pragma once

#include <QApplication>
#include <QTest>
#include <memory>

#include "app/form1_widget.h"
#include "form/fake_form_services.h"
#include "qt_printers.h"
#include "support/fixture_tree.h"
#include "support/temp_folder.h"

namespace quorvane::test {

// The Qt window on fakes (see FakeFormServices).
class WindowHarness : public FakeFormServices {
  public:
    // Creates the window and runs its start-up, as the program does before showing it.
    Form1Widget& load() {
        window = std::make_unique<Form1Widget>(services());
        window->form().load();
        return *window;
    }

    // Shows the loaded window as the active one, so that focus moves as for the user.
    void showActive() {
        window->show();
        QApplication::setActiveWindow(window.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    std::unique_ptr<Form1Widget> window;
};

}  // namespace quorvane::test
