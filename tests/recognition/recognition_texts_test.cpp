// The recognition page's texts: the instruction and product boxes built from their parts, the
// open routines' messages in each language, and the ten-language tables.
#include <gtest/gtest.h>

#include "recognition/DeviceRecognitionTexts.h"

namespace {

using recognition::DeviceRecognitionTexts;

TEST(RecognitionTexts, InstructionIsTheConnectStepAndThePressNextStep) {
    EXPECT_EQ(DeviceRecognitionTexts::stringInstruction(0),
              "1. Power off your product and connect it to your computer using the supplied USB\n     cable.\n\n"
              "2. Press the [NEXT >] button.");
    EXPECT_NE(DeviceRecognitionTexts::stringInstruction(2).find("2. Drücken Sie die Taste [WEITER >]."),
              std::string::npos);
}

TEST(RecognitionTexts, ProductBoxEndsWithTheThirdStep) {
    std::string box = DeviceRecognitionTexts::stringOrvaProduct(0);
    EXPECT_NE(box.find("Other Orva Products not listed: Power it on."), std::string::npos);
    EXPECT_TRUE(box.ends_with("\n3. Press the [NEXT >] button.\n"));
}

TEST(RecognitionTexts, OpenMessagesAreTranslatedOthersAreNil) {
    EXPECT_EQ(DeviceRecognitionTexts::qelm_string_for_status("Device recognized successfully", 0),
              "Device recognized successfully");
    EXPECT_EQ(DeviceRecognitionTexts::qelm_string_for_status("Device recognized successfully", 12),
              "Urządzenie zostało rozpoznane");
    EXPECT_EQ(DeviceRecognitionTexts::qelm_string_for_status("Firmware management mode", 1),
              "Mode de gestion du micrologiciel");
    EXPECT_EQ(DeviceRecognitionTexts::qelm_string_for_status("Device not available", 0), std::nullopt);
    EXPECT_EQ(DeviceRecognitionTexts::qelm_string_for_status(nullptr, 0), std::nullopt);
}

TEST(RecognitionTexts, TenLanguageTablesShowEnglishInCzechAndPolish) {
    std::string english = DeviceRecognitionTexts::stringMessageRestartingManager("VELMAR", 0);
    EXPECT_EQ(english, "Restarting VELMAR may fix this problem.\nWould you like to restart VELMAR?\n");
    EXPECT_EQ(DeviceRecognitionTexts::stringMessageRestartingManager("VELMAR", 11), english);
    EXPECT_EQ(DeviceRecognitionTexts::stringMessageRestartingManager("VELMAR", 12), english);
    EXPECT_NE(DeviceRecognitionTexts::stringMessageRestartingManager("VELMAR", 10), english);
    EXPECT_EQ(DeviceRecognitionTexts::stringOEMProduct(12), DeviceRecognitionTexts::stringOEMProduct(0));
    EXPECT_EQ(DeviceRecognitionTexts::stringMessageDeviceOtherThan("DORSK", 0),
              "A device other than the DORSK is recognized. Select the appropriate device.");
}

}  // namespace
