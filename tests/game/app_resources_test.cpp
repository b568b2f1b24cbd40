// What the application hands the platform as it is made: without it message
// boxes would carry no caption and dialogs would open with nothing in them.
#include "platform/interface/app_resources.h"

#include <gtest/gtest.h>

#include "app/MyKelvoApp.h"
#include "res/app_resources.h"
#include "res/resource_ids.h"

TEST(AppResources, TheApplicationHandsThePlatformItsTitleAndDialogTemplates) {
  SetAppResources({});
  EXPECT_EQ(FindDialogTemplate(IDD_ABOUTBOX), nullptr);
  {
    CMyKelvoApp app;
    EXPECT_STREQ(AfxAppTitle(), "Kelvo");
    const DialogTemplate* about = FindDialogTemplate(IDD_ABOUTBOX);
    const DialogTemplate* name = FindDialogTemplate(IDD_PLAYER_NAME);
    EXPECT_TRUE(about && about->caption == "About Kelvo");
    EXPECT_TRUE(name && name->caption == "Type You Name");
    EXPECT_EQ(FindDialogTemplate(IDD_ABOUTBOX + 1), nullptr);
  }
  SetAppResources(KelvoAppResources());
}
