#include "settings/DeviceSettingsTexts.h"

#include <utility>

#include "app/AppTexts.h"
#include "app/TextCatalogue.h"
#include "app/TextFormat.h"

namespace settings {

using app::TextId;

namespace {

std::string text(TextId id, int32_t language) { return std::string(app::localizedText(id, language)); }

// The setting that each persistent-store key holds, as the cannot-save message names it.
constexpr std::pair<int32_t, TextId> kSettingNameOfKey[] = {
    {239, TextId::setting_label_edr},
    {654, TextId::setting_label_device_setting},
    {664, TextId::setting_label_vox_intercom},
    {665, TextId::setting_label_vox_phone},
    {671, TextId::setting_label_fm_radio_setting},
    {682, TextId::setting_label_audio_channel_timeout},
    {684, TextId::setting_label_radio_transmit_gain},
    {8832, TextId::setting_label_speed_dial_setting},
    {8833, TextId::setting_label_speed_dial_setting},
    {8834, TextId::setting_label_speed_dial_setting},
};

}  // namespace

std::string DeviceSettingsTexts::qelm_string_cannot_save(int32_t pskey, int32_t in) {
    // An unknown key would leave the format's "%@" unfilled: name the whole device setting.
    TextId name = TextId::setting_label_device_setting;
    for (const auto& [key, id] : kSettingNameOfKey)
        if (key == pskey) name = id;
    return app::formatText(text(TextId::settings_cannot_save, in), {text(name, in)});
}

std::string DeviceSettingsTexts::qelm_string_save_in(int32_t language) { return text(TextId::settings_save, language); }

std::string DeviceSettingsTexts::qelm_string_default_in(int32_t language) {
    return text(TextId::settings_default, language);
}

std::string DeviceSettingsTexts::qelm_string_more_settings_in(int32_t language) {
    return text(TextId::settings_more_settings, language);
}

std::string DeviceSettingsTexts::qelm_string_close_in(int32_t language) { return text(TextId::settings_close, language); }

#define ORVA_DEFINE_TEXT(method, entry) \
    std::string DeviceSettingsTexts::method() const { return text(TextId::entry, textLanguage()); }
ORVA_SETTINGS_PAGE_TEXTS(ORVA_DEFINE_TEXT)
#undef ORVA_DEFINE_TEXT

std::string DeviceSettingsTexts::stringInformationVideoMode() const {
    return text(textFirmwareUpToMinor(2, 0) < 0 ? TextId::settings_info_video_mode_before_2
                                                 : TextId::settings_info_video_mode,
                textLanguage());
}

std::string DeviceSettingsTexts::stringACTUnit() const {
    return app::formatText("%@ (3 ~ 60)", {app::AppTexts::qelm_string_seconds_in(textLanguage())});
}

}  // namespace settings
