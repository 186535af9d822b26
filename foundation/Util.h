#pragma once
// Small helpers of the whole program: number and text tests, rounding, the bracket form in which
// RTF is stored inside the brace blocks of the document files, mail, and writing and showing
// small text files.

#include "platform/core/String.h"

#include <typeindex>
#include <typeinfo>
#include <vector>

// Mails through the desktop opener: "mailto:" address "?subject=" subject ["&body=" body], with
// subject and body percent-encoded (UTF-8) and the whole cut to 2000 characters without splitting
// an escape. FALSE (logged) when the opener refuses.
BOOL SendEmail(LPCSTR address, LPCSTR subject, LPCSTR body = nullptr);

// n!, 0! = 1; values beyond the range of unsigned give its largest value.
unsigned Factorial(unsigned n);
// Every byte is white space (or a decimal digit); FALSE for an empty text or NULL.
BOOL IsAllSpace(LPCSTR text);
// Splits text at any of the separators; runs of them count as one and empty fields are skipped
// (as strtok does).
std::vector<CString> SplitFields(const CString& text, const char* separators);
BOOL IsAllDigits(LPCSTR text);
// The value printed with "%.2f" and read back.
double RoundTo2Decimals(double value);
// n when it is a multiple of m, else the next multiple of m above n; n when m <= 0.
int RoundUpToMultiple(int n, int m);
// m when n < m, else RoundUpToMultiple.
int RoundUpToMultipleMin(int n, int m);
// step when n < step, else the largest multiple of step not above n; n when step <= 0.
int RoundDownToMultipleMin(int n, int step);
// Non-overlapping occurrences of part that begin within the first n bytes of text; 0 for an
// empty part.
int CountOccurrences(LPCSTR text, LPCSTR part, int n);
// Every byte above 127 replaced by c.
void ReplaceHighCharsSz(char* text, char c);
void ReplaceHighChars(CString& text, char c);

// atof in the "C" locale whatever the process's locale: leading blanks skipped, the longest
// number read, 0 when there is none.
double AtofC(LPCSTR text);

// Creates (or empties) a text file and writes text into it; a failure shows
// "Cannot open file <path> for output." and gives FALSE.
BOOL WriteTextFile(LPCSTR text, LPCSTR path);
// Shows a text file in the text viewer (the desktop opener, given the path as one argument).
// programName and folder are kept from the platform the program came from and not used.
// FALSE (logged) when the file is missing or cannot be shown.
BOOL ViewLogFile(LPCSTR path, LPCSTR programName = "notepad", LPCSTR folder = nullptr);

// RTF text to the bracket form of the document files and back (see Util.cpp).
CString EncodeBraces(LPCSTR rtf);
CString DecodeBraces(LPCSTR stored);

// Kinds of documents and views, by their exact run-time class.
constexpr int DVK_CORRADOC = 0;
constexpr int DVK_SOURCEDOC = 1;
constexpr int DVK_EXAMDOC = 2;
constexpr int DVK_CORRAVIEW = 3;
constexpr int DVK_EXAMVIEW = 5;
constexpr int DVK_COLLVIEW = 6;
constexpr int DVK_EXAMVERSIONVIEW = 7;
constexpr int DVK_OTHER = 8;
// Each document and view class tells its kind once, e.g. from a static object in its source:
//     static const CDocViewKind s_kind(typeid(CCorraDoc), DVK_CORRADOC);
void RegisterDocViewKind(std::type_index type, int kind);
struct CDocViewKind {
    CDocViewKind(std::type_index type, int kind) { RegisterDocViewKind(type, kind); }
};
// The kind registered for exactly this class (a derived class is not its base's kind);
// DVK_OTHER for anything else.
int DocViewKindOf(std::type_index type);
template <typename T>
int GetDocViewKind(const T* object)
{
    return object ? DocViewKindOf(typeid(*object)) : DVK_OTHER;
}
