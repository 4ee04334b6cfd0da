#pragma once
// Class-library tests on the headless back end: forms are freed after each test and the
// application loop state is reset.
#include "platform/vcl/Controls.h"
#include "platform/vcl/Forms.h"
#include "platform/win/Spy.h"
#include "platform/win/headless/HeadlessBackend.h"

#include <gtest/gtest.h>

namespace vd::test {

class VclTest : public ::testing::Test {
protected:
    void SetUp() override {
        hb = Headless();
        ASSERT_NE(hb, nullptr);
        hb->SetIdleHandler(nullptr);
        Application->ResetTerminated();
    }
    void TearDown() override {
        Pump();
        while (Screen->FormCount() > 0)
            Screen->Forms(0)->Free();
        ReleaseCapture();
        Application->OnMessage = nullptr;
        Application->SetMainForm(nullptr);
        Pump();
        MSG m;
        while (PeekMessage(m, PM_REMOVE)) {
        }
        Application->ResetTerminated();
    }
    void Pump() { Application->ProcessMessages(); }
    TForm* NewForm(TRect r = {100, 100, 400, 300}) {
        auto* f = new TForm(Application);
        f->SetBorderStyle(bsNone);
        f->SetBoundsRect(r);
        return f;
    }
    HeadlessBackend* hb = nullptr;
};

} // namespace vd::test
