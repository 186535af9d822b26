#include "tests/support/ModalScript.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QThread>

namespace {

void FailUnanswered(CDialog& dlg)
{
    ADD_FAILURE() << "a modal dialog (template " << dlg.GetTemplateId() << ", caption \""
                  << dlg.GetWindowText().GetString() << "\") opened that no script answers";
    dlg.EndDialog(IDCANCEL);
}

class CUnansweredModalCheck : public IModalRunHook {
public:
    void RunModal(CDialog& dlg) override { FailUnanswered(dlg); }
};

} // namespace

CModalScript::CModalScript() : m_installed(ModalRunSlot(), *this)
{
}

CModalScript::~CModalScript()
{
    EXPECT_TRUE(m_steps.empty()) << m_steps.size() << " scripted dialog(s) never opened";
}

CModalScript& CModalScript::OnTemplate(UINT nIDTemplate, std::function<void(CDialog&)> act)
{
    m_steps.push_back({[nIDTemplate](CDialog& d) { return d.GetTemplateId() == nIDTemplate; }, std::move(act),
                       "a template id"});
    return *this;
}

void CModalScript::RunModal(CDialog& dlg)
{
    for (auto it = m_steps.begin(); it != m_steps.end(); ++it) {
        if (it->fits(dlg)) {
            Step step = std::move(*it);
            m_steps.erase(it);
            ++m_nAnswered;
            step.act(dlg);
            return;
        }
    }
    FailUnanswered(dlg);
}

void ClickDlgButton(CWnd& wnd, int nID)
{
    auto* button = qobject_cast<QAbstractButton*>(wnd.GetDlgItem(nID));
    ASSERT_NE(button, nullptr) << "no button " << nID;
    button->click();
}

bool RunEventsUntil(const std::function<bool()>& pred, int ms)
{
    QElapsedTimer timer;
    timer.start();
    while (!pred()) {
        if (timer.elapsed() > ms)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(1);
    }
    return true;
}

void InstallUnansweredModalCheck()
{
    static CUnansweredModalCheck check;
    ModalRunSlot().Set(&check);
}
