#include "modes/mode_file.h"

#include <algorithm>
#include <string>
#include <vector>

#include "config/atomic_file.h"
#include "config/comma_list.h"
#include "config/ini_document.h"
#include "config/ini_file.h"
#include "dialog/number_text.h"

namespace hsq {
namespace {

constexpr std::string_view kBoard = "BOARD";
constexpr std::string_view kOutConfigData = "OutConfigData";
constexpr std::string_view kInBoard = "INBOARD";

std::string ModeSection(int mode) { return "Mode" + std::to_string(mode); }
std::string InputCardKey(int card) { return "InB" + std::to_string(card); }
std::string ModeKey(int card) { return "OutB" + std::to_string(card); }
std::string BoardByteKey(int card) { return "OutBoard" + std::to_string(card) + "Data"; }
std::string ClockByteKey(int card) { return "Clock" + std::to_string(card) + "Data"; }

// The order of a window's values in a list.
template <typename Fields, typename Rect>
void WindowFields(Fields& fields, Rect& rect) {
    fields.Word(rect.width);
    fields.Word(rect.height);
    fields.Word(rect.x);
    fields.Word(rect.y);
}

// The 11 values of "InB%d".
template <typename Fields, typename Card>
void InputCardFields(Fields& fields, Card& card) {
    for (auto& setup : card.setup) fields.Byte(setup);
    WindowFields(fields, card.first);
    WindowFields(fields, card.second);
}

// The 42 values of "OutB%d".
template <typename Fields, typename Mode>
void ModeFields(Fields& fields, Mode& mode) {
    fields.Byte(mode.byteA);
    fields.Byte(mode.byteB);
    for (auto& channel : mode.channels) {
        WindowFields(fields, channel.crop);
        WindowFields(fields, channel.output);
        fields.Byte(channel.inputPort);
        fields.Flag(channel.on);
    }
}

// Takes a list's values into fields in order. A value missing, or one that is not a plain
// decimal number within its field's range, spoils the list; values beyond the fields are left.
class ListReader {
  public:
    explicit ListReader(std::string_view text) { SplitCommaList(text, fields_); }

    void Byte(std::uint8_t& value, unsigned most = 0xFF) {
        value = static_cast<std::uint8_t>(Take(most));
    }
    void Word(std::uint16_t& value) { value = Take(0xFFFF); }
    void Flag(bool& value) { value = Take(1) != 0; }
    bool Good() const { return good_; }

  private:
    std::uint16_t Take(unsigned most) {
        const auto number = next_ < fields_.size()
                                ? NumberFromText<std::uint16_t>(fields_[next_++])
                                : std::nullopt;
        if (!number || static_cast<unsigned>(*number) > most) {
            good_ = false;
            return 0;
        }
        return static_cast<std::uint16_t>(*number);
    }

    std::vector<std::string> fields_;
    std::size_t next_ = 0;
    bool good_ = true;
};

class ListWriter {
  public:
    void Byte(const std::uint8_t& value) { Add(value); }
    void Word(const std::uint16_t& value) { Add(value); }
    void Flag(const bool& value) { Add(value ? 1 : 0); }
    const std::string& Text() const { return text_; }

  private:
    void Add(unsigned value) {
        if (!text_.empty()) text_ += ',';
        text_ += std::to_string(value);
    }
    std::string text_;
};

// A value as long as a read can be may have been cut short, so it is not trusted.
std::optional<std::string> WholeValue(const IniSnapshot& file, std::string_view section,
                                      std::string_view key) {
    auto value = file.Value(section, key);
    if (!value || value->size() >= kMaxValueCharacters) return std::nullopt;
    return value;
}

// One key's value as a list handed to fill; false when the key is missing or the list spoilt.
template <typename Fill>
bool ReadFields(const IniSnapshot& file, std::string_view section, std::string_view key,
                Fill&& fill) {
    const auto value = WholeValue(file, section, key);
    if (!value) return false;
    ListReader reader(*value);
    fill(reader);
    return reader.Good();
}

// Each card that exists. The list may be empty: a processor without input cards exports
// "InBoard=" and no input card section, and that file must read back.
template <std::size_t Count>
bool ReadCardList(const IniSnapshot& file, std::string_view key, std::array<bool, Count>& listed) {
    const auto value = WholeValue(file, kBoard, key);
    if (!value) return false;
    std::vector<std::string> fields;
    SplitCommaList(*value, fields);
    for (const std::string& field : fields) {
        const auto card = NumberFromText<std::uint8_t>(field);
        if (!card || *card >= static_cast<int>(Count)) return false;
        listed[*card] = true;
    }
    return true;
}

bool ListsAnyCard(const ModeBank& bank) {
    const auto any = [](const auto& listed) {
        return std::find(listed.begin(), listed.end(), true) != listed.end();
    };
    return any(bank.inputListed) || any(bank.outputListed);
}

// Any byte: the file carries what the processor reported, and an import gives it back
// unchanged; only the main window keeps to the formats it knows.
bool ReadSystem(const IniSnapshot& file, ModeBank& bank) {
    return ReadFields(file, kBoard, "Format", [&](ListReader& r) { r.Byte(bank.outputFormat); }) &&
           ReadFields(file, kBoard, "InAKout1", [&](ListReader& r) { r.Byte(bank.clockSource); });
}

bool ReadOutputCard(const IniSnapshot& file, int card, BankOutputCard& output) {
    return ReadFields(file, kOutConfigData, BoardByteKey(card),
                      [&](ListReader& r) { r.Byte(output.boardByte); }) &&
           ReadFields(file, kOutConfigData, ClockByteKey(card),
                      [&](ListReader& r) { r.Byte(output.clockByte); });
}

bool ReadCards(const IniSnapshot& file, ModeBank& bank) {
    for (int card = 0; card < kInputCardCount; ++card) {
        if (bank.inputListed[card] &&
            !ReadFields(file, kInBoard, InputCardKey(card),
                        [&](ListReader& r) { InputCardFields(r, bank.inputs[card]); }))
            return false;
    }
    for (int card = 0; card < kOutputCardCount; ++card) {
        if (bank.outputListed[card] && !ReadOutputCard(file, card, bank.outputs[card]))
            return false;
    }
    return true;
}

bool ReadModes(const IniSnapshot& file, ModeBank& bank) {
    for (int mode = 0; mode < kDisplayModeCount; ++mode) {
        for (int card = 0; card < kOutputCardCount; ++card) {
            if (bank.outputListed[card] &&
                !ReadFields(file, ModeSection(mode), ModeKey(card),
                            [&](ListReader& r) { ModeFields(r, bank.modes[mode][card]); }))
                return false;
        }
    }
    return true;
}

template <std::size_t Count>
std::string CardList(const std::array<bool, Count>& listed) {
    std::string list;
    for (std::size_t card = 0; card < Count; ++card) {
        if (!listed[card]) continue;
        if (!list.empty()) list += ',';
        list += std::to_string(card);
    }
    return list;
}

template <typename Fill>
std::string ListText(Fill&& fill) {
    ListWriter writer;
    fill(writer);
    return writer.Text();
}

void WriteCards(IniDocument& document, const ModeBank& bank) {
    for (int card = 0; card < kOutputCardCount; ++card) {
        if (!bank.outputListed[card]) continue;
        const BankOutputCard& output = bank.outputs[card];
        document.Set(kOutConfigData, BoardByteKey(card), std::to_string(output.boardByte));
        document.Set(kOutConfigData, ClockByteKey(card), std::to_string(output.clockByte));
    }
    for (int card = 0; card < kInputCardCount; ++card) {
        if (!bank.inputListed[card]) continue;
        document.Set(kInBoard, InputCardKey(card),
                     ListText([&](ListWriter& w) { InputCardFields(w, bank.inputs[card]); }));
    }
}

void WriteModes(IniDocument& document, const ModeBank& bank) {
    for (int mode = 0; mode < kDisplayModeCount; ++mode) {
        for (int card = 0; card < kOutputCardCount; ++card) {
            if (!bank.outputListed[card]) continue;
            document.Set(ModeSection(mode), ModeKey(card),
                         ListText([&](ListWriter& w) { ModeFields(w, bank.modes[mode][card]); }));
        }
    }
}

}  // namespace

// The file is read once, and every key is taken from that one reading.
std::optional<ModeBank> ReadModeFile(const std::filesystem::path& path) {
    if (path.empty()) return std::nullopt;
    const auto file = IniSnapshot::Read(path);
    ModeBank bank;
    if (!file || !ReadCardList(*file, "InBoard", bank.inputListed) ||
        !ReadCardList(*file, "OutBoard", bank.outputListed) || !ListsAnyCard(bank) ||
        !ReadSystem(*file, bank) || !ReadCards(*file, bank) || !ReadModes(*file, bank))
        return std::nullopt;
    return bank;
}

// A new document rather than keys written into the old file: the operator chose to replace it,
// and keys of cards since taken out must not linger.
bool WriteModeFile(const std::filesystem::path& file, const ModeBank& bank) {
    IniDocument document;
    document.Set(kBoard, "InBoard", CardList(bank.inputListed));
    document.Set(kBoard, "OutBoard", CardList(bank.outputListed));
    document.Set(kBoard, "Format", std::to_string(bank.outputFormat));
    document.Set(kBoard, "InAKout1", std::to_string(bank.clockSource));
    WriteCards(document, bank);
    WriteModes(document, bank);
    // A write of this file killed midway left its temporary here, and nothing else clears it.
    const std::string name = file.filename().string();
    RemoveLeftTemporaries(file.has_parent_path() ? file.parent_path() : ".",
                          [&](std::string_view target) { return target == name; });
    return ReplaceFileAtomically(file, document.Bytes());
}

}  // namespace hsq
