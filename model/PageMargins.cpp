#include "model/PageMargins.h"

#include <mutex>

namespace {

std::mutex g_lock;
CPageMargins g_margins;

} // namespace

CString CPageMargins::GetText() const
{
    return CString::Formatted("LeftMargin=%f\nRightMargin=%f\nTopMargin=%f\nBottomMargin=%f", left, right, top, bottom);
}

CPageMargins GetPageMargins()
{
    std::lock_guard<std::mutex> hold(g_lock);
    return g_margins;
}

void SetPageMargins(const CPageMargins& margins)
{
    std::lock_guard<std::mutex> hold(g_lock);
    g_margins = margins;
}
