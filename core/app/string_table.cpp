#include "core/app/string_table.h"

#include <map>
#include <string_view>

#include "core/search/charset_converter.h"
#include "core/search/cp932_tables.h"

namespace tolvane {
namespace {

struct NumberedString {
  int id;
  std::string_view utf8;
};

// Ids below 34600 are the program's string and control numbers; the exit
// dialog's texts, which live in its dialog template, are numbered 346xx.
constexpr NumberedString kStrings[] = {
    {128, "Tolvane！\n\nTolva\n\n\nTolvane.Document\nTolva Document"},
    {130, "無題"},
    {131, "空白"},
    {132, "読み込み中です．．．"},
    {133, "ポップアップをブロックしました。"},
    {135, "お気に入り"},
    {136, "キーワード"},
    {137, "履歴"},
    {138, "無題"},
    {143, "タブ"},
    {144, "検索"},
    {145, "お気に入り"},
    {146, "キーワード"},
    {147, "履歴"},
    {148, "検索"},
    {149, "待機中です．．．"},
    {151, "重要度%d"},
    {153, "ウィンドウ"},
    {154, "タブ"},
    {157, "表示がタイムアウトしました。"},
    {158, "表示中のページ"},
    {159, "タグ設定"},
    {160, "重要度設定"},
    {162, "キーワードの入力"},
    {163, "\"%s\"を%sで検索"},
    {164, "検索エンジンを指定して検索"},
    {165, "保管箱"},
    {168, "保管箱から戻す(&R)"},
    {171, "ゴミ箱から戻す(&R)"},
    {173, "すべての%sをゴミ箱へ(&T)"},
    {174, "すべての%sを削除(&D)"},
    {175, "\"%s\" は完全に削除され元に戻すことはできません。本当に削除しますか?"},
    {177, "区切り線"},
    {178, "\"%s\" 内のすべての%sは完全に削除され元に戻すことはできません。本当に削除しますか?"},
    {180, "ページクリップ"},
    {181, "クリック回数"},
    {182, "検索回数"},
    {183, "表示回数"},
    {184, "このページをお気に入りに追加"},
    {185, "検索エンジンを選択"},
    {186, "検索エンジンの新規作成"},
    {200, "ゴミ箱"},
    {201, "新規登録"},
    {202, "登録日順"},
    {203, "五十音順"},
    {204, "重要度順"},
    {205, "タグ別"},
    {207, "\"%s\"をまとめて検索"},
    {208, "お気に入りバー"},
    {300, "タブグループ"},
    {302, "ホーム"},
    {303, "お気に入りをまとめて開く"},
    {304, "履歴をまとめて開く"},
    {305, "これ以降のお気に入り"},
    {306, "これ以降のキーワード"},
    {307, "これ以降の履歴"},
    {315, "クリップページ一覧"},
    {1001, "システムリソースが不足しています。いくつかのページを閉じて再実行してください。"},
    {1002, "ドキュメントの検索が完了しました。"},
    {1003, "該当するキーワードは見つかりませんでした。"},
    {1004, "名前は必ず入力してください。"},
    {1006, "ショートカットのコマンド：%s"},
    {1007, "マウスジェスチャのコマンド：%s"},
    {1009,
     "登録されたすべての%sがクリアされ、フォルダも初期状態に戻されます。\n"
     "初期化を実行してもよろしいですか?"},
    {1013, "有効なURLを指定してください。"},
    {1014, "ショートカットコマンドは、英字のみ使用可能です。"},
    {1016, "すでに登録済みのショートカットコマンドです。"},
    {1017, "すでに登録済みのマウスジェスチャコマンドです。"},
    {1018, "キャッシュ内のすべてのアイコンを削除します。よろしいですか?"},
    {1019,
     "お気に入りの登録件数が最大値を超えました。\n"
     "不要なデータを削除するか、システム設定で登録最大件数を増やしてください。"},
    {1022,
     "ページクリップの登録件数が最大値を超えました。\n"
     "不要なデータを削除するか、システム設定で登録最大件数を増やしてください。"},
    {1023,
     "最大登録件数に登録済みの件数より小さな値が指定されています。\n"
     "このまま実行すると古いデータは削除されます。\nよろしいですか？"},
    {1025, "指定されたショートカットキーは無効です。"},
    {1026, "このショートカットは、すでに登録されています。\n異なる値を指定してください。"},
    {1027, "すべてのマウスジェスチャの割り当ては初期状態に戻されます。\n実行しますか?"},
    {1028, "すべてのショートカットの割り当ては初期状態に戻されます。\n実行しますか?"},
    {1040,
     "多くのタブが開いているため、リソースが圧迫されています。\n"
     "不要なタブを閉じるか、複数のタブグループに分割してください。"},
    {1078, "次回からこの確認ダイアログを表示しない"},
    {1583, "保存して終了(&S)"},
    {1584, "保存せずに終了(&Q)"},
    // Commands: the description, then the name a button shows.
    {32842, "まとめて検索を実行\nまとめて検索"},
    {34601, "Tolvane！の終了"},
    {34602, "Tolvane！を終了します。"},
    {34603, "開いているページタブを保存して、次回起動時に復元しますか？"},
    {34604, "キャンセル(&C)"},
    {34610, "データファイルを読み込めないため、起動できません。"},
    {34620, "タブの新規作成"},
    {34621, "タブの設定"},
    {34630, "ページを表示できませんでした。(%s)"},
};

const std::map<int, std::string>& ShiftJisTable() {
  static const std::map<int, std::string> table = [] {
    std::map<int, std::string> converted;
    for (const auto& entry : kStrings) converted.emplace(entry.id, Utf8ToSjis(entry.utf8));
    return converted;
  }();
  return table;
}

}  // namespace

std::string ProgramTitle() {
  const std::string& document_template = LoadString(string_id::kDocumentTemplate);
  return document_template.substr(0, document_template.find('\n'));
}

std::string_view LoadStringUtf8(int id) {
  for (const auto& entry : kStrings) {
    if (entry.id == id) return entry.utf8;
  }
  return {};
}

const std::string& LoadString(int id) {
  static const std::string kEmpty;
  const auto& table = ShiftJisTable();
  auto it = table.find(id);
  return it == table.end() ? kEmpty : it->second;
}

std::string FormatString(int id, std::initializer_list<std::string_view> args) {
  const std::string& pattern = LoadString(id);
  std::string out;
  auto next = args.begin();
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const char c = pattern[i];
    if (cp932::IsLead(static_cast<unsigned char>(c)) && i + 1 < pattern.size()) {
      out += c;
      out += pattern[++i];
      continue;
    }
    if (c == '%' && i + 1 < pattern.size()) {
      const char kind = pattern[i + 1];
      if (kind == '%') {
        out += '%';
        ++i;
        continue;
      }
      if (kind == 's' || kind == 'd') {
        if (next != args.end()) out += *next++;
        ++i;
        continue;
      }
    }
    out += c;
  }
  return out;
}

}  // namespace tolvane
