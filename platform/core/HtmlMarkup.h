#pragma once
// The one rule of every HTML page the program writes: its own markup (tables, form elements,
// font tags) is marked as markup where it is made; everything else is text and is escaped once,
// by the page writer. In a string the marked pieces stand between HTML_MARK_OPEN and
// HTML_MARK_CLOSE; the rich-edit control takes such a string in with SFF_HTML_MARKUP and keeps
// the pieces as markup runs, which its RTF writer puts out as "{\*\crrhtml ...}" groups. Its
// RTF reader never makes a markup run, so imported or pasted text cannot carry one: a forgotten
// mark shows a tag as text, and a user's text never runs as HTML.

#include "platform/core/String.h"

#include <functional>

// The rich-edit control's stream flag (with SF_TEXT) that takes the marked pieces in as markup.
constexpr unsigned SFF_HTML_MARKUP = 0x4000;

constexpr char HTML_MARK_OPEN = '\x01';
constexpr char HTML_MARK_CLOSE = '\x02';
// The RTF destination of a markup run.
constexpr const char* HTML_MARKUP_DESTINATION = "crrhtml";

// Marks a piece of markup (the marks it may hold are dropped).
CString HtmlMarkup(LPCSTR markup);
// A text with the marks dropped: what user text goes through before it joins a marked string.
CString HtmlPlainText(LPCSTR text);
// A UTF-8 text as a marked string: what Windows-1252 holds as text (marks dropped), any other
// character as a character reference, so that a page keeps it.
CString HtmlTextFromUtf8(const CString& utf8);
// Calls piece(bMarkup, text) for the pieces of a marked string in order; a stray close mark is
// dropped and an unclosed piece ends with the string.
void SplitHtmlMarked(const CString& marked, const std::function<void(bool bMarkup, const CString& piece)>& piece);
// The marked string as a page holds it: markup as it is, text escaped.
CString HtmlFromMarked(const CString& marked);

// Text escaped for an HTML page: "&amp;", "&lt;", "&gt;", and with bAttribute "&quot;" too.
CString HtmlEscape(LPCSTR text, BOOL bAttribute = FALSE);
