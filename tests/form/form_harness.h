#pragma once

#include <memory>
#include <string>
#include <vector>

#include "fake_form_services.h"
#include "fake_view.h"
#include "form/error_report.h"
#include "form/form1.h"
#include "support/fixture_tree.h"
#include "support/temp_folder.h"

namespace quorvane::test {

// A form on fakes (see FakeFormServices) and a view in memory.
class FormHarness : public FakeFormServices {
  public:
    // Creates the form on its view and runs its start-up, as the program does before showing
    // the window.
    Form1& load() {
        form = std::make_unique<Form1>(view, services());
        view.form = form.get();
        form->load();
        return *form;
    }

    FakeView view;
    std::unique_ptr<Form1> form;
};

// A message of style 0 under the application's title.
inline ShownMessage Notice(const std::string& text) {
    return {text, "Quorvane", MessageStyle::OkOnly};
}

inline ShownMessage ErrorReport(const char* description, const char* procedurePath, int line) {
    return {ErrorReportText(description, procedurePath, line), kErrorReportTitle,
            MessageStyle::Exclamation};
}

}  // namespace quorvane::test
