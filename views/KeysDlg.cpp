#include "views/KeysDlg.h"

#include "foundation/Log.h"
#include "foundation/LogException.h"
#include "model/CorraQuestion.h"
#include "model/ExamDoc.h"
#include "platform/ui/ListBox.h"
#include "render/RtfDraw.h"
#include "res/ids/ExamView.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <algorithm>
#include <map>
#include <utility>
#include <vector>

namespace {

// Where the key columns start, in dialog units.
constexpr int kKeyTabStops[] = {20, 65, 110, 155, 200, 245, 290};
constexpr int kKeyExtent = 500;
constexpr int kKeyLength = 7;

// The first n characters of UTF-8 text, never half of one.
CString FirstCharacters(const CString& text, int n)
{
    int bytes = 0;
    for (int chars = 0; bytes < text.GetLength() && chars < n; ++chars) {
        ++bytes;
        while (bytes < text.GetLength() && (static_cast<unsigned char>(text.GetAt(bytes)) & 0xC0) == 0x80)
            ++bytes;
    }
    return text.Left(bytes);
}

} // namespace

CKeysDlg::CKeysDlg(CWnd* pParent) : CDialog(IDD_FORM_KEYS, pParent)
{
    setWindowTitle("Form Keys");
    m_pForms = AddControl(IDC_KEYS_FORMS, new CListBox(this, TRUE));
    m_pKeys = AddControl(IDC_KEYS_KEYS, new CListBox(this));
    m_pForms->setMinimumSize(130, 240);
    m_pKeys->setMinimumSize(340, 240);
    auto* grid = new QGridLayout;
    grid->addWidget(CreateStatic("Form", 0, m_pForms), 0, 0);
    grid->addWidget(CreateStatic("Key", 0, m_pKeys), 0, 1);
    grid->addWidget(m_pForms, 1, 0);
    grid->addWidget(m_pKeys, 1, 1);
    grid->setColumnStretch(1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid, 1);
    layout->addWidget(CreateButtonBox({IDCLOSE}));
    BindNotify(IDCLOSE, BN_CLICKED, [this] { EndDialog(IDCLOSE); });
    BindNotify(IDC_KEYS_FORMS, LBN_SELCHANGE, [this] {
        try {
            RefreshKeys();
        } catch (...) {
            LogUnknownException(LOG_HERE);
        }
    });
}

void CKeysDlg::SetForms(CExamDoc* pDoc, CCorraQuestion* pForm)
{
    m_lForms.RemoveAll();
    m_pDoc = pDoc;
    m_nQuestionCount = 0;
    if (pForm) {
        m_lForms.AddTail(pForm);
        m_pPreselected = pForm;
    } else if (pDoc) {
        pDoc->GetCollections(m_lForms);
    }
    for (POSITION pos = m_lForms.GetHeadPosition(); pos;) {
        CDWordArray ids;
        m_nQuestionCount = std::max(m_nQuestionCount, static_cast<CCorraQuestion*>(m_lForms.GetNext(pos))->GetQuestIds(ids));
    }
}

BOOL CKeysDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    FillFormList();
    RefreshKeys();
    return TRUE;
}

void CKeysDlg::FillFormList()
{
    m_pForms->ResetContent();
    for (POSITION pos = m_lForms.GetHeadPosition(); pos;) {
        auto* form = static_cast<CCorraQuestion*>(m_lForms.GetNext(pos));
        const int at = m_pForms->AddString(form->m_cszQuestionText);
        m_pForms->SetItemDataPtr(at, form);
        if (form == m_pPreselected)
            m_pForms->SetSel(at, TRUE);
    }
    m_pPreselected = nullptr;
}

int CKeysDlg::GetSelectedForms(CPtrListEx& forms) const
{
    forms.RemoveAll();
    for (int i = 0; i < m_pForms->GetCount(); ++i)
        if (m_pForms->GetSel(i) > 0)
            forms.AddTail(m_pForms->GetItemDataPtr(i));
    return forms.GetCount();
}

CString CKeysDlg::KeyText(const CCorraQuestion& form, const CCorraQuestion& question)
{
    CString key;
    if (!form.m_Scramble.GetScrambledAnswer(question, key))
        question.GetAnswerText(key);
    // UTF-8 with every character the teacher typed, also those Windows-1252 lacks.
    key = RtfToTextUtf8(key);
    key.Trim();
    return FirstCharacters(key, kKeyLength);
}

void CKeysDlg::RefreshKeys()
{
    m_pKeys->ResetContent();
    m_pKeys->SetTabStops(static_cast<int>(std::size(kKeyTabStops)), kKeyTabStops);
    CPtrListEx selected;
    if (GetSelectedForms(selected) == 0 || !m_pDoc)
        return;
    m_pKeys->SetHorizontalExtent(kKeyExtent);

    // Keyed by form and member: one question has another key in each scrambled form.
    std::vector<std::pair<CCorraQuestion*, CDWordArray>> forms;
    std::map<std::pair<const CCorraQuestion*, DWORD>, CString> keys;
    int lines = 0;
    for (POSITION pos = selected.GetHeadPosition(); pos;) {
        auto* form = static_cast<CCorraQuestion*>(selected.GetNext(pos));
        forms.emplace_back(form, CDWordArray());
        CDWordArray& ids = forms.back().second;
        lines = std::max(lines, form->GetQuestIds(ids));
        for (int i = 0; i < ids.GetSize(); ++i)
            if (const CCorraQuestion* question = m_pDoc->FindQuestionById(static_cast<int>(ids[i])))
                keys[{form, ids[i]}] = KeyText(*form, *question);
    }
    m_nQuestionCount = lines;
    for (int n = 1; n <= lines; ++n) {
        CString line;
        line.Format("%d)\t", n);
        for (const auto& [form, ids] : forms) {
            if (n <= ids.GetSize()) {
                auto it = keys.find({form, ids[n - 1]});
                if (it == keys.end()) {
                    LogOutput("CKeysDlg::RefreshKeys() - map failure", 1, LOG_HERE);
                    return;
                }
                line += it->second;
            }
            line += "\t";
        }
        m_pKeys->AddStringW(QString::fromUtf8(line.GetString(), line.GetLength()));
    }
}
