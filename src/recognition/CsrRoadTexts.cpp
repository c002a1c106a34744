#include "recognition/CsrRoadTexts.h"

#include "app/TextCatalogue.h"
#include "app/TextFormat.h"

namespace recognition {

namespace {

struct KeyLabel {
    int pskey;
    app::TextId label;
};

constexpr KeyLabel kKeyLabels[] = {
    {0x00EF, app::TextId::setting_label_edr},
    {0x028E, app::TextId::setting_label_device_setting},
    {0x0298, app::TextId::setting_label_vox_intercom},
    {0x0299, app::TextId::setting_label_vox_phone},
    {0x029F, app::TextId::setting_label_fm_radio_setting},
    {0x02AA, app::TextId::setting_label_audio_channel_timeout},
    {0x02AC, app::TextId::setting_label_radio_transmit_gain},
};

}  // namespace

std::string qelm_string_cannot_restore(int pskey, int language) {
    std::string_view format = app::localizedText(app::TextId::cannot_restore, language);
    for (const KeyLabel& k : kKeyLabels)
        if (k.pskey == pskey) return app::formatText(format, {app::localizedText(k.label, language)});
    return app::formatText(format, {});
}

}  // namespace recognition
