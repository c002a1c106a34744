// The one routine that walks a row of the HID read tables: set up the shared request, send it,
// and store the reply words (or the row's defaults) in the record.
#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/Log.h"
#include "recognition/HidSettingsWalk.h"
#include "transport/HidReportChannel.h"

namespace recognition {

using device::ORVABluetoothDeviceData;

namespace {

using R = ORVABluetoothDeviceData;

constexpr int kShortTimeoutMs = 500;
constexpr uint8_t kShortExpectedLength = 0x3C;
constexpr size_t kShortWordsAt = 4;

void put(R& data, Dest dest, int index, int32_t value) {
    switch (dest) {
        case Dest::Basic:
            data.setBasicSetting20At(index, value);
            break;
        case Dest::Vox:
            data.setBasicSettingBELMORAVOXSensitivity(index, value);
            break;
        case Dest::SmartVolume:
            data.setBasicSettingYELVARSmartVolumeControl(index, value);
            break;
        case Dest::Camera:
            data.setBasicSettingTAVRINCamera(index, value);
            break;
        case Dest::BackgroundVolume:
            data.setBackgroundVolume(value < 10 ? value : 4);
            break;
    }
}

int32_t get(const R& data, Dest dest, int index) {
    switch (dest) {
        case Dest::Basic:
            return data.basicSettingFERRIK(index);
        case Dest::Vox:
            return data.basicSettingBELMORAVOXSensitivityAt(index);
        case Dest::SmartVolume:
            return data.basicSettingYELVARSmartVolumeControlAt(index);
        case Dest::Camera:
            return data.basicSettingTAVRINCameraAt(index);
        case Dest::BackgroundVolume:
            return data.backgroundVolume();
    }
    return 0;
}

void prepare(RecognitionContext& ctx, const ReadStep& step) {
    uint8_t* request = ctx.request;
    auto clearFrom3 = [&] { std::memset(request + 3, 0, kLongRequestSize - 3); };
    switch (step.prepare) {
        case Prepare::AsLeft:
            break;
        case Prepare::CommandAndKey:
            request[1] = step.command;
            request[2] = step.key;
            break;
        case Prepare::KeyOnly:
            request[2] = step.key;
            break;
        case Prepare::ClearThenCommandAndKey:
            clearFrom3();
            request[1] = step.command;
            request[2] = step.key;
            break;
        case Prepare::Rebuilt:
            clearFrom3();
            request[0] = 1;
            request[1] = step.command;
            request[2] = step.key;
            request[3] = step.count;
            break;
    }
}

// Sends the step's request; on success the reply words in host order, as many as the reply
// counts and holds (format B replies carry no count: every word the reply's data holds).
bool exchange(RecognitionContext& ctx, const ReadStep& step, std::vector<uint16_t>& words) {
    words.clear();
    if (step.channel == Channel::LongReport) {
        prepare(ctx, step);
        if (step.swapRequestWords) usbhid_swap_block_words(ctx.request, kLongRequestSize);
        if (!usbhid_command(step.slot, ctx.request, ctx.reply)) return false;
        usbhid_swap_block_words_ext(ctx.reply, kLongReplySize);
        int n = ctx.replyWordCount();
        for (int i = 0; i < n; ++i) words.push_back(ctx.replyWord(i));
        return true;
    }
    uint8_t request[kShortReportSize] = {1, 0, step.command, step.key};
    uint8_t reply[kShortReportSize] = {};
    bool ok;
    if (step.channel == Channel::ShortTimed) {
        reply[1] = kShortExpectedLength;
        ok = usbhid_short_command(step.slot, request, reply, kShortTimeoutMs);
    } else {
        ok = usbhid_short_command_probe(step.slot, request, reply);
    }
    if (!ok) return false;
    size_t dataEnd = std::min<size_t>(2 + reply[1], sizeof reply);
    for (size_t at = kShortWordsAt; at + 1 < dataEnd; at += 2)
        words.push_back(static_cast<uint16_t>(reply[at] | reply[at + 1] << 8));
    return true;
}

int32_t wordOr0(const std::vector<uint16_t>& words, int i) {
    return i >= 0 && static_cast<size_t>(i) < words.size() ? words[static_cast<size_t>(i)] : 0;
}

// Up to four listed values as printf arguments (extra arguments are ignored by the format).
void logValues(const char* format, const std::vector<int32_t>& v) {
    auto at = [&](size_t i) { return i < v.size() ? v[i] : 0; };
    platform::logf(format, at(0), at(1), at(2), at(3));
}

void decodeLegacy(const LegacyLayout& layout, uint16_t word, LegacyValues& legacy) {
    legacy.fill(0);
    for (int bit = 0; bit < 16; ++bit) {
        Legacy field = layout[static_cast<size_t>(bit)];
        if (field != Legacy::None) legacy[static_cast<size_t>(field)] = (word >> bit) & 1;
    }
}

void legacyFromSet(uint32_t set, LegacyValues& legacy) {
    for (int f = 0; f < kLegacyFields; ++f) legacy[static_cast<size_t>(f)] = (set >> f) & 1;
}

struct Stored {
    int index;
    int32_t value;
};

void writeLogs(const RecognitionContext& ctx, const ReadStep& step, bool ok,
               const std::vector<uint16_t>& words, const std::vector<Stored>& stored) {
    const R& data = ctx.controller.data();
    Dest dest = step.words.value_or(step.copies.empty() ? Dest::Basic : step.copies.front().dest);
    for (const ReadLog& log : step.logs) {
        if ((!ok && !log.alsoOnFailure) || !conditionHolds(log.when, data)) continue;
        std::vector<int32_t> values;
        switch (log.kind) {
            case ReadLog::None:
                break;
            case ReadLog::EachStored:
                for (const Stored& s : stored) platform::logf(log.format, s.index, get(data, dest, s.index));
                break;
            case ReadLog::EachStoredWithCount:
                for (const Stored& s : stored)
                    platform::logf(log.format, static_cast<int>(words.size()), s.index,
                                   get(data, dest, s.index));
                break;
            case ReadLog::ReplyWords:
                for (int w : log.words) values.push_back(wordOr0(words, w));
                logValues(log.format, values);
                break;
            case ReadLog::RecordWords:
                for (int w : log.words) values.push_back(get(data, dest, w));
                logValues(log.format, values);
                break;
            case ReadLog::ReplyNibble:
                platform::logf(log.format, (wordOr0(words, log.words.front()) >> 4) & 0xF);
                break;
        }
    }
}

void applyFailure(R& data, const ReadStep& step, LegacyValues& legacy) {
    for (const WordValue& v : step.onFailure) put(data, v.dest, v.index, v.value);
    for (const VersionBand& band : step.onFailureByVersion) {
        if (band.belowMajor >= 0 &&
            data.compareVersionUpToMinorWithMajor(band.belowMajor, band.belowMinor) >= 0)
            continue;
        for (const WordValue& v : band.values) put(data, v.dest, v.index, v.value);
        break;
    }
    if (step.legacy) legacyFromSet(step.legacyOnFailure, legacy);
}

void runStep(RecognitionContext& ctx, const ReadStep& step, LegacyValues& legacy) {
    R& data = ctx.controller.data();
    std::vector<uint16_t> words;
    if (!exchange(ctx, step, words)) {
        applyFailure(data, step, legacy);
        writeLogs(ctx, step, false, words, {});
        return;
    }
    std::vector<Stored> stored;
    if (step.words) {
        // The device's count is trusted only as far as the record has room.
        int room = std::max(destinationWords(*step.words) - step.wordsFrom, 0);
        int n = std::min(static_cast<int>(words.size()), room);
        for (int i = 0; i < n; ++i) {
            put(data, *step.words, step.wordsFrom + i, words[static_cast<size_t>(i)]);
            stored.push_back({step.wordsFrom + i, words[static_cast<size_t>(i)]});
        }
    }
    for (const Copy& c : step.copies) {
        if (c.word < 0 || static_cast<size_t>(c.word) >= words.size()) continue;  // not in this reply
        put(data, c.dest, c.index, words[static_cast<size_t>(c.word)]);
        stored.push_back({c.index, words[static_cast<size_t>(c.word)]});
    }
    if (step.legacy) {
        // A reply without words decodes nothing: every legacy field 0.
        decodeLegacy(*step.legacy, words.empty() ? 0 : words.front(), legacy);
    }
    if (step.speakerType) {
        ctx.controller.setDevice50SpeakerType(data.GetBasicSetting50SpeakerAccessorySelect());
        platform::logf("lutra speaker type = [%d]", ctx.controller.device50SpeakerType());
    }
    writeLogs(ctx, step, true, words, stored);
}

}  // namespace

void walkReadOrder(RecognitionContext& ctx, const ReadOrder& order, LegacyValues& legacy) {
    const int32_t target = ctx.deviceTarget();
    for (const ReadStep& step : order.steps) {
        if (!step.onlyFor.empty() && !holds(step.onlyFor, target)) continue;
        if (!conditionHolds(step.when, ctx.controller.data())) continue;
        runStep(ctx, step, legacy);
    }
}

void storeLegacyValues(R& data, const LegacyValues& legacy) {
    auto v = [&](Legacy f) { return legacy[static_cast<size_t>(f)]; };
    data.setIntercomVOX(v(Legacy::intercomVOX));
    data.setHandsfreeVOX(v(Legacy::handsfreeVOX));
    data.setEdr(v(Legacy::edr));
    data.setVoicePrompt(v(Legacy::voicePrompt));
    data.setPlc(v(Legacy::plc));
    data.setBitpoolRate(v(Legacy::bitpoolRate));
    data.setMicrophoneBoost(v(Legacy::microphoneBoost));
    data.setSidetone(v(Legacy::sidetone));
    data.setAdvancedNoiseControl(v(Legacy::advancedNoiseControl));
    data.setAutoGainControl(v(Legacy::autoGainControl));
    data.setAudioBoost(v(Legacy::audioBoost));
    data.setHdIntercom(v(Legacy::hdIntercom));
    data.setFmStationGuide(v(Legacy::fmStationGuide));
    data.setHdVoice(v(Legacy::hdVoice));
    data.setSmartNaviSystem(v(Legacy::smartNaviSystem));
    data.setAudioSourcePriority(v(Legacy::audioSourcePriority));
    data.setAudioOverlay(v(Legacy::audioOverlay));
    data.setAutoOnOff(v(Legacy::autoOnOff));
    data.setAutoStartRecording(v(Legacy::autoStartRecording));
}

}  // namespace recognition
