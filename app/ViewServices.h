#pragma once
// The view services of the program: the views answer for themselves, and a bank's collection
// windows open in the template only the application holds. InstallViewServices puts them in the
// slot unless other services are there (a test's).

class CCollView;
class CCorraDoc;
class CDocTemplate;

void InstallViewServices();
void RemoveViewServices();
// The template of a bank's collection windows, which the services open (NULL: none open).
void SetCollectionTemplate(CDocTemplate* pTemplate);
// A new frame of a template of collection windows on the document, and its collection view
// (NULL when none could be made).
CCollView* OpenCollectionFrame(CDocTemplate* pTemplate, CCorraDoc& doc);
