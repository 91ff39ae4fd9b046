#include "varnokengine/VGError.h"

#include <gtest/gtest.h>

class ErrorReporting : public testing::Test {
protected:
    void SetUp() override { ClearErrors(); }
    void TearDown() override { ClearErrors(); }
};

TEST_F(ErrorReporting, NoReportGivesNoError) {
    EXPECT_EQ(ErrorFlag, 0u);
    EXPECT_TRUE(GetErrorText() == u"No error");
}

TEST_F(ErrorReporting, ReportsAccumulateWithLineAndFile) {
    ReportError(u"Failed to load image from file", 395, u"..\\..\\varnokengine\\VGBitmap");
    ReportError(u"Exception: 0xc0000005", 323, nullptr);
    EXPECT_EQ(ErrorFlag, 1u);
    EXPECT_TRUE(GetErrorText() == u"Failed to load image from file\r\nLine 395, File "
                                  u"..\\..\\varnokengine\\VGBitmap\r\n\r\n"
                                  u"Exception: 0xc0000005\r\n\r\n");
}

TEST_F(ErrorReporting, NullTextStillRaisesTheFlag) {
    ReportError(nullptr, 7, u"f");
    EXPECT_EQ(ErrorFlag, 1u);
    EXPECT_TRUE(GetErrorText() == u"\r\nLine 7, File f\r\n\r\n");
}
