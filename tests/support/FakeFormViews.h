#pragma once
// Form views for tests of an exam's forms: each new view holds its own form, named as the
// program names new form views; writing a view back puts its form (members and scramble list)
// into the exam under the form's name.

#include "foundation/PtrListEx.h"

#include <map>
#include <memory>
#include <vector>

class CCorraQuestion;
class CExamDoc;
class CView;

class CFakeFormViews {
public:
    explicit CFakeFormViews(CExamDoc& exam);
    ~CFakeFormViews();

    CView* NewView();
    // The form a view holds; NULL for a view not made here.
    CCorraQuestion* FormOf(CView* view) const;
    void SaveForm(CView* view);
    // The views made so far, in order.
    CPtrListEx Views() const;

private:
    CExamDoc& m_exam;
    std::vector<std::unique_ptr<CView>> m_views;
    std::map<CView*, std::unique_ptr<CCorraQuestion>> m_forms;
};
