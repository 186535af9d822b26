#include "platform/core/Services.h"

#include <gtest/gtest.h>

TEST(Services, AnUnansweredBoxGivesItsFirstButton)
{
    const struct {
        UINT style;
        int answer;
    } plain[] = {
        {MB_OK, IDOK},
        {MB_OKCANCEL, IDOK},
        {MB_YESNO, IDYES},
        {MB_YESNOCANCEL, IDYES},
        {MB_YESNOCANCEL | MB_ICONQUESTION | MB_DEFBUTTON3, IDYES},
    };
    for (const auto& c : plain)
        EXPECT_EQ(DefaultMessageBoxAnswer(c.style), c.answer) << std::hex << c.style;

    const struct {
        int style;
        int answer;
    } rich[] = {
        {RMB_OK, IDOK},
        {RMB_OKCANCEL, IDOK},
        {RMB_YESNOCANCEL, IDYES},
        {RMB_YESNO, IDYES},
        {RMB_CONTINUECANCEL, IDCONTINUE_RMB},
        {99, IDCANCEL},
    };
    for (const auto& c : rich)
        EXPECT_EQ(DefaultRichMessageAnswer(c.style), c.answer) << c.style;
}
