// STAND-IN until the text catalogue lands: only the texts the shell calls, English plus the few
// words the window shows in the language of its screenshots. Replaced whole by the catalogue.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace app {

using OptString = std::optional<std::string>;

class AppTexts {
public:
    virtual ~AppTexts() = default;

    int32_t languageManager() const { return languageManager_; }
    void setLanguageManager(int32_t value) { languageManager_ = value; }

    static std::string qelm_string_ok_in(int32_t language);
    static std::string qelm_string_yes_in(int32_t language);
    static std::string qelm_string_no_in(int32_t language);
    static std::string qelm_string_next_in(int32_t language);
    static std::string qelm_string_version_in(int32_t language);
    static std::string qelm_string_language_manager_in(int32_t language);
    static std::string qelm_string_mode(int32_t mode, int32_t _in);
    static std::string qelm_title(const OptString& title, int32_t _in);
    static std::string qelm_language_manager(int32_t n);
    static int32_t qelm_language_manager_index(const std::string& name, bool _with_default);
    static OptString qelm_status_processing(int32_t mode, int32_t _usb, int32_t _in);
    static OptString qelm_status_success(int32_t mode, int32_t _usb, int32_t _in);
    static OptString qelm_status_failure(int32_t mode, int32_t _usb, int32_t _in);
    static OptString qelm_status_default(int32_t mode, int32_t _usb, int32_t _in);

    std::string stringMenuHelp() const;
    std::string stringMenuItemAbout() const;
    std::string stringMenuItemQuit() const;
    std::string stringMenuItemOnlineHelp() const;
    std::string stringMenuItemKeyboradShortcuts() const;

    // Two-line panel texts and the tab header's "more" word.
    static std::string qelm_string_no_device_recognized_in(int32_t language, int32_t line);
    static std::string qelm_string_firmware_management_in(int32_t language, int32_t line);
    static std::string qelm_string_more_tabs_in(int32_t language);

protected:
    virtual bool showsShortcuts() const { return false; }

private:
    int32_t languageManager_ = 0;
};

}  // namespace app
