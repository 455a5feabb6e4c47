#pragma once
// The romaji judge: a reading (hiragana, katakana, ー, punctuation, full-width digits and
// letters) typed one key at a time, as Japanese input methods spell it. The judge keeps
// every spelling of the remaining text that is still alive, so a key is accepted when at
// least one spelling goes on with it and missed (nothing consumed) when none does. The
// spellings come from data/romaji-table.tsv, built into the program.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace game::romaji {

// How the guide spells what is left to type.
enum class GuideStyle : uint8_t {
  Hepburn,  // ヘボン式: shi chi tsu fu ji sha
  Kunrei,   // 訓令式: si ti tu hu zi sya
  Fewest,   // the fewest keys
};

// The spelling table: kana sequences (one to three characters) and their spellings.
class Table {
 public:
  // The table built into the program.
  static const Table& Shipped();
  // A table from the text of a table file (for tests); rows it cannot read are skipped.
  static Table Parse(std::string_view text);

  // Whether every character of `reading` can be typed.
  bool Typable(std::u32string_view reading) const;

  struct Row {
    std::u32string kana;
    std::string spelling;
    uint8_t prefer = 0;  // the guide's spelling of `kana`: kPreferHepburn, kPreferKunrei
  };
  static constexpr uint8_t kPreferHepburn = 1, kPreferKunrei = 2;
  const std::vector<Row>& Rows() const { return rows_; }
  // The rows spelling exactly `kana` (hiragana), in the table's order; nullptr when none.
  const std::vector<int>* Find(const std::u32string& kana) const;

 private:
  std::vector<Row> rows_;
  std::unordered_map<std::u32string, std::vector<int>> byKana_;
  // Which characters of U+3000..U+30FF have a row of their own (Typable's fast path).
  std::vector<bool> kanaRow_ = std::vector<bool>(0x100);
};

// The answer to one key.
struct KeyResult {
  bool accepted = false;  // false: a miss, nothing consumed
  int kanaDone = 0;       // characters of the reading complete after this key
  bool complete = false;  // the whole reading is typed
};

class Judge {
 public:
  explicit Judge(const Table& table = Table::Shipped());
  ~Judge();
  Judge(const Judge&) = delete;
  Judge& operator=(const Judge&) = delete;

  // Settings that take effect at once (also mid-entry).
  void SetStyle(GuideStyle style);
  // A single `n` at the very end of the reading finishes ん.
  void SetFinalNAllowed(bool allowed);

  // Starts a reading; false (and nothing to type) when a character cannot be typed.
  bool Start(std::u32string_view reading);
  // One key: the character it produces (ASCII; upper case counts as lower case).
  KeyResult Key(char ch);

  std::u32string_view Reading() const;
  // Keys accepted for this reading, as typed.
  std::string_view Typed() const;
  // The rest as the guide spells it from here; never jumps while the spelling the player
  // follows stays valid.
  std::string Guide() const;
  // The next key of the guide ('\0' when complete).
  char NextKey() const;
  int KanaDone() const;
  int KanaCount() const;
  bool Complete() const;
  // The index in the reading of the character the next key works on (KanaCount when
  // complete): the character a miss counts against.
  int CurrentKana() const;
  // The fewest keys that type the whole reading.
  int FewestKeys() const;

 private:
  struct Impl;
  // Built once per screen; a key allocates nothing.
  std::unique_ptr<Impl> impl_;
};

}  // namespace game::romaji
