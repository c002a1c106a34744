// Start-up of the controller: what lives for the process, the configuration file and the first
// page.
#include <usb.h>

#include <filesystem>
#include <sstream>

#include "app/MainWindow.h"
#include "app/ORVABluetoothManagerAppController.h"
#include "app/QtTranslations.h"
#include "platform/Files.h"
#include "platform/Log.h"
#include "platform/Process.h"

namespace app {
namespace {

constexpr const char* kKeyEncrypted = "keyEncrypted";
constexpr const char* kKeyStrManagerVersion = "keyStrManagerVersion";
constexpr const char* kKeyStrLanguageManager = "keyStrLanguageManager";
constexpr const char* kKeyApplyToLanguageFirmware = "keyApplyToLanguageFirmware";
constexpr const char* kKeyDeviceTarget = "keyDeviceTarget";
constexpr const char* kKeyRestartToRecover = "keyRestartToRecover";
constexpr const char* kKeyModeRestartToRecover = "keyModeRestartToRecover";
constexpr const char* kKeyStrLanguageFirmware = "keyStrLanguageFirmware";
constexpr const char* kKeyStrRestartDFUFirmwareFile = "keyStrRestartDFUFirmwareFile";
constexpr const char* kKeyIndexRestartDFUFirmwareLanguage = "keyIndexRestartDFUFirmwareLanguage";
constexpr const char* kKeyDeviceVersionMajorRestartDFU = "keyDeviceVersionMajorRestartDFU";
constexpr const char* kKeyDeviceVersionMinorRestartDFU = "keyDeviceVersionMinorRestartDFU";
constexpr const char* kKeyDeviceSecondaryVersionTypeRestartDFU = "keyDeviceSecondaryVersionTypeRestartDFU";
constexpr const char* kKeyDeviceSecondaryVersionRestartDFU = "keyDeviceSecondaryVersionRestartDFU";

const std::string kDefaultManagerVersion = "v1.0";

}  // namespace

ORVABluetoothManagerAppController::ORVABluetoothManagerAppController(PageFactory& pages) {
    usb_init();
    managerUpdate_ = pages.makeManagerUpdate();
    selection_ = pages.makeDeviceSelection();
    recognition_ = pages.makeDeviceRecognition();
    update_ = pages.makeFirmwarePage(5);
    restore_ = pages.makeFirmwarePage(6);
    settings_ = pages.makeDeviceSettings();
    settingsSecond_ = pages.makeDeviceSettingsSecond();
    settingsSpeedDial_ = pages.makeDeviceSettingsSpeedDial();
    for (DetailViewController* page : allPages()) page->setAppController(this);
    osVersion_ = parseOsVersion(platform::operatingSystemVersionString());
    deleteTampFile();
}

ORVABluetoothManagerAppController::~ORVABluetoothManagerAppController() = default;

std::array<DetailViewController*, 8> ORVABluetoothManagerAppController::allPages() const {
    return {managerUpdate_.get(), selection_.get(),    recognition_.get(),    update_.get(),
            restore_.get(),       settings_.get(), settingsSecond_.get(), settingsSpeedDial_.get()};
}

DetailViewController* ORVABluetoothManagerAppController::pageOfMode(int32_t m) const {
    if (m < 2 || m > 9) return nullptr;
    DetailViewController* page = allPages()[static_cast<size_t>(m - 2)];
    if (page) page->view();
    return page;
}

bool ORVABluetoothManagerAppController::stopPageThreads(std::chrono::milliseconds bound) {
    // A page whose view was never built has started no thread; its view stays unbuilt.
    const auto deadline = std::chrono::steady_clock::now() + bound;
    for (DetailViewController* page : allPages())
        if (page) page->stopThreads();
    bool allEnded = true;
    for (DetailViewController* page : allPages())
        if (page) allEnded = page->joinThreadsBy(deadline) && allEnded;
    return allEnded;
}

std::array<int32_t, 3> ORVABluetoothManagerAppController::parseOsVersion(const std::string& text) {
    std::istringstream tokens(text);
    std::string token;
    while (tokens >> token) {
        std::vector<std::string> parts;
        std::string part;
        std::istringstream dotted(token);
        while (std::getline(dotted, part, '.')) parts.push_back(part);
        if (!token.empty() && token.back() == '.') parts.push_back("");
        if (parts.size() != 2 && parts.size() != 3) continue;
        // Leading digits count, as an integer value of the part.
        auto value = [](const std::string& s) { return static_cast<int32_t>(std::atoi(s.c_str())); };
        if (value(parts[0]) == 0) continue;
        return {value(parts[0]), value(parts[1]), parts.size() == 3 ? value(parts[2]) : 0};
    }
    return {10, 9, 0};
}

int32_t ORVABluetoothManagerAppController::compareOsVersionWithVersionPrimary(int32_t primary,
                                                                              int32_t secondary) const {
    return (osVersionPrimary() - primary) * 100 + (osVersionSecondary() - secondary);
}

bool ORVABluetoothManagerAppController::isRestartDFU() const {
    return strRestartDFUFirmwareFile_ && !strRestartDFUFirmwareFile_->empty();
}

void ORVABluetoothManagerAppController::deleteTampFile() {
    std::string path = platform::archiveFolderPath() + "/" + kTempFileName;
    platform::logf("local path[%s]", path.c_str());
    std::error_code ec;
    if (std::filesystem::remove(path, ec))
        platform::logLine("Delete ok");
    else
        platform::logf("Delete fail [%s]", ec ? ec.message().c_str() : "no such file");
}

std::string ORVABluetoothManagerAppController::configurationFilePath() {
    return platform::archiveFolderPath() + "/" + kConfigurationFileName;
}

void ORVABluetoothManagerAppController::encodeWithCoder(platform::KeyedArchiver& c) const {
    c.encodeBool(true, kKeyEncrypted);
    c.encodeString(strManagerVersion_, kKeyStrManagerVersion);
    c.encodeString(strLanguageManager_, kKeyStrLanguageManager);
    c.encodeBool(applyToLanguageFirmware(), kKeyApplyToLanguageFirmware);
    c.encodeInt32(deviceTarget(), kKeyDeviceTarget);
    c.encodeBool(restartToRecover(), kKeyRestartToRecover);
    c.encodeInt32(modeRestartToRecover(), kKeyModeRestartToRecover);
    c.encodeString(strLanguageFirmware_, kKeyStrLanguageFirmware);
    if (isRestartDFU()) {
        c.encodeString(strRestartDFUFirmwareFile_, kKeyStrRestartDFUFirmwareFile);
        c.encodeInt32(indexRestartDFUFirmwareLanguage(), kKeyIndexRestartDFUFirmwareLanguage);
        c.encodeInt32(deviceVersionMajorRestartDFU(), kKeyDeviceVersionMajorRestartDFU);
        c.encodeInt32(deviceVersionMinorRestartDFU(), kKeyDeviceVersionMinorRestartDFU);
        c.encodeInt32(deviceSecondaryVersionTypeRestartDFU(), kKeyDeviceSecondaryVersionTypeRestartDFU);
        c.encodeInt32(deviceSecondaryVersionRestartDFU(), kKeyDeviceSecondaryVersionRestartDFU);
    }
}

platform::Bytes ORVABluetoothManagerAppController::archivedConfiguration() const {
    platform::KeyedArchiver coder({kClassName, "NSObject"});
    encodeWithCoder(coder);
    return coder.finish();
}

// Every field takes the value of a missing file first; the copy from the file then replaces them
// in order. A file that fails part-way keeps what was copied before the failure, and every field
// after it keeps its missing-file value, never an empty one.
void ORVABluetoothManagerAppController::readConfiguration() {
    const std::string english = qelm_language_manager(0);
    strManagerVersion_ = kDefaultManagerVersion;
    strLanguageManager_ = english;
    applyToLanguageFirmware_ = true;
    deviceTarget_ = 0;
    restartToRecover_ = false;
    modeRestartToRecover_ = 0;
    strRestartDFUFirmwareFile_.reset();
    indexRestartDFUFirmwareLanguage_ = 0;
    deviceVersionMajorRestartDFU_ = 0;
    deviceVersionMinorRestartDFU_ = 0;
    deviceSecondaryVersionTypeRestartDFU_ = 0;
    deviceSecondaryVersionRestartDFU_ = 0;
    strLanguageFirmware_ = english;

    const std::string path = configurationFilePath();
    // A missing file is the first start; anything else that cannot be read is worth a line, and
    // the defaults are used.
    const auto bytes = platform::readArchiveFile(path, "configuration");
    if (bytes) {
        try {
            platform::KeyedUnarchiver coder(*bytes, kClassName);
            if (coder.containsValueForKey(kKeyEncrypted)) (void)coder.decodeBoolForKey(kKeyEncrypted);
            if (auto v = coder.decodeStringForKey(kKeyStrManagerVersion)) strManagerVersion_ = *v;
            if (auto name = coder.decodeStringForKey(kKeyStrLanguageManager)) {
                bool apply = coder.decodeBoolForKey(kKeyApplyToLanguageFirmware);
                strLanguageManager_ = *name;
                applyToLanguageFirmware_ = apply;
            }
            deviceTarget_ = coder.decodeInt32ForKey(kKeyDeviceTarget);
            restartToRecover_ = coder.decodeBoolForKey(kKeyRestartToRecover);
            modeRestartToRecover_ = coder.decodeInt32ForKey(kKeyModeRestartToRecover);
            strRestartDFUFirmwareFile_ = coder.decodeStringForKey(kKeyStrRestartDFUFirmwareFile);
            indexRestartDFUFirmwareLanguage_ = coder.decodeInt32ForKey(kKeyIndexRestartDFUFirmwareLanguage);
            deviceVersionMajorRestartDFU_ = coder.decodeInt32ForKey(kKeyDeviceVersionMajorRestartDFU);
            deviceVersionMinorRestartDFU_ = coder.decodeInt32ForKey(kKeyDeviceVersionMinorRestartDFU);
            deviceSecondaryVersionTypeRestartDFU_ = coder.decodeInt32ForKey(kKeyDeviceSecondaryVersionTypeRestartDFU);
            deviceSecondaryVersionRestartDFU_ = coder.decodeInt32ForKey(kKeyDeviceSecondaryVersionRestartDFU);
            if (auto v = coder.decodeStringForKey(kKeyStrLanguageFirmware)) strLanguageFirmware_ = *v;
        } catch (const platform::ArchiveError& e) {
            platform::logf("configuration %s cannot be read (%s); the rest takes its defaults", path.c_str(),
                           e.what());
        }
    }
    setLanguageManager(qelm_language_manager_index(*strLanguageManager_, true));
    if (languageManager() >= kLanguages || languageManager() < 0) setLanguageManager(0);
}

void ORVABluetoothManagerAppController::initializeObject() {
    strManagerVersion_.reset();
    strLanguageManager_.reset();
    strLanguageFirmware_.reset();
    applyToLanguageFirmware_ = true;
    deviceTarget_ = 0;
    setLanguageManager(0);
    deviceUpdatedOrRestored_ = 0;
    showShortcuts_ = false;
    {
        std::lock_guard<std::mutex> lock(statusMutex_);
        strStatus_.fill(std::nullopt);
    }
    statusWithWarning_ = false;
    skipRestoreBackupFile_ = false;
    if (window_) {
        window_->view->setAppController(this);
        showManagerImage();
    }

    readConfiguration();
    useQtTranslationFor(languageManager());

    setControlsFont();
    onProcessing_ = false;
    if (!restartToRecover()) {
        setDeviceSelectionOnStartUp(true);
        return;
    }
    setDeviceRecognitionWithStatus(false, nullptr, modeRestartToRecover());
    // Without a chosen model the entry shows the selection page instead: nothing to resume.
    if (mode() == 4) recognition_->recognize(recognition_->btnNext());
    restartToRecover_ = false;
    modeRestartToRecover_ = 0;
}

}  // namespace app
