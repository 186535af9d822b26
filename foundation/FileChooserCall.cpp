#include "foundation/FileChooserCall.h"

namespace {

class CNoFileChooser : public IFileChooserService {
public:
    int Run(CFileChooserCall&) override { return IDCANCEL; }
};

CNoFileChooser g_none;
CServiceSlot<IFileChooserService> g_chooser(g_none);

} // namespace

CServiceSlot<IFileChooserService>& FileChooserSlot()
{
    return g_chooser;
}

IFileChooserService& FileChooser()
{
    return g_chooser.Get();
}
