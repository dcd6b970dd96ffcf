#pragma once
// A small modal dialog of labelled text boxes with OK and Cancel, built in
// memory. OK hands the texts to the caller's check; a refused box gets the
// reason beside it (and as its tooltip) and the dialog stays open.
// User-interface thread only; the caller holds the program's modal scope.
#include "platform/gtk/Messages.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace Platform {

struct FormRow {
    std::string label;
    // One text per box (two for a width and height row); UTF-8.
    std::vector<std::string> texts;
    bool digitsOnly = false;
};

struct FormRefusal {
    int row = 0;
    int box = 0;
    std::string message;
    std::string detail;
};

using FormTexts = std::vector<std::vector<std::string>>;

struct FormDialogOptions {
    WindowHandle owner = nullptr;
    std::string title;
    std::vector<FormRow> rows;
    // Empty result: the texts are taken and the dialog closes.
    std::function<std::optional<FormRefusal>(const FormTexts& texts)> check;
};

// True on an accepted OK; texts then holds every box's text by row.
bool runFormDialog(const FormDialogOptions& options, FormTexts& texts);

}  // namespace Platform
