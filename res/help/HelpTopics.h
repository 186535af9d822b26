#pragma once
// Where the user's guide explains each help context the program asks for: the page and, after
// '#', the place on it. A dialog's Help asks for its id plus HELP_DIALOG_BASE; the lists' F1 asks
// for their own ids. A context missing here opens the contents page.

#include "res/ids/App.h"
#include "res/ids/ManageDialogs.h"
#include "res/ids/ProgressDlg.h"
#include "res/ids/QuestionDlg.h"
#include "res/ids/QuestionImages.h"
#include "res/ids/QuestionSearch.h"
#include "res/ids/Shell.h"
#include "res/ids/Wizard.h"

struct CHelpTopic {
    unsigned context;
    const char* page;  // "page.html" or "page.html#anchor"
};

constexpr unsigned HELP_DIALOG_BASE = 0x20000;

inline constexpr CHelpTopic kHelpTopics[] = {
    {0, "index.html"},
    {HELP_CTX_GETTING_STARTED, "getting-started.html"},
    {HELP_CTX_GET_STARTED_NOW, "tour.html"},
    {456, "bank-window.html#question-list"},                  // the question list
    {789, "bank-window.html#collections"},                    // the collection list
    {HELP_DIALOG_BASE + 456, "main-menu.html"},               // the main menu
    {HELP_DIALOG_BASE + 123, "main-menu.html#pages"},         // a page of the main menu
    {HELP_DIALOG_BASE + 136, "exams.html#linked"},            // a question added unlinked
    {HELP_DIALOG_BASE + IDD_CORRA_QUESTION_DLG, "question-editor.html"},
    {HELP_DIALOG_BASE + IDD_AC_ATTR, "question-editor.html#fields"},  // AutoConvert's attributes
    {HELP_DIALOG_BASE + IDD_QUESTION_SEARCH, "bank-window.html#search"},
    {HELP_DIALOG_BASE + IDD_QUESTION_IMAGES, "question-editor.html#images"},
    {HELP_DIALOG_BASE + IDD_SUBJECTS_DLG, "lists.html#subjects"},
    {HELP_DIALOG_BASE + IDD_TEXTBOOKS_DLG, "lists.html#textbooks"},
    {HELP_DIALOG_BASE + IDD_EDIT_FILE_LIST, "lists.html#edit-list"},
    {HELP_DIALOG_BASE + IDD_HVFILEDLG, "files.html#chooser"},
    {HELP_DIALOG_BASE + IDD_FILEFINDEX, "files.html#find-file"},
    {HELP_DIALOG_BASE + IDD_PROMPT, "files.html#names"},
    {HELP_DIALOG_BASE + IDD_CORRA_PROPERTIES, "files.html#properties"},
    {HELP_DIALOG_BASE + IDD_SUPPORT, "support.html"},
};

// The page of a context; NULL when the guide has none.
inline const char* FindHelpPage(unsigned context)
{
    for (const CHelpTopic& topic : kHelpTopics) {
        if (topic.context == context)
            return topic.page;
    }
    return nullptr;
}
