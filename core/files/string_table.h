#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace tolvane {

// The program's numbered strings (menu words, prompts, messages), one table
// for the whole program. The table is written in UTF-8 in the source and
// handed out as Shift_JIS, the program's own text encoding; an unknown id
// gives an empty string.
const std::string& LoadString(int id);

// The program's title: the first field of the document template string.
std::string ProgramTitle();

// Fills the "%s" and "%d" places of a numbered string, in order, with
// `args` (already text). "%%" stays a single "%"; places without an
// argument are left empty. The pattern is Shift_JIS, so its trail bytes are
// skipped and never mistaken for "%".
std::string FormatString(int id, std::initializer_list<std::string_view> args);

// The same string as written in the table (UTF-8), for tests and tools.
std::string_view LoadStringUtf8(int id);

// Numbered strings used from several places.
namespace string_id {
inline constexpr int kDocumentTemplate = 128;  // title\n\nnew-file name\n\n\nshell type\nshell name
inline constexpr int kUntitled = 130;
inline constexpr int kBlankPage = 131;
inline constexpr int kLoading = 132;
inline constexpr int kPopupBlocked = 133;
inline constexpr int kStoreWordBase = 134;  // + store type 1..3
inline constexpr int kArchiveFolder = 165;
inline constexpr int kTrashFolder = 200;
inline constexpr int kConfirmDelete = 175;
inline constexpr int kConfirmDeleteAllIn = 178;
inline constexpr int kConfirmClearStore = 1009;
inline constexpr int kFavoritesLimit = 1019;
inline constexpr int kClipsLimit = 1022;
inline constexpr int kConfirmLowerMaxData = 1023;
inline constexpr int kLoadTimedOut = 157;
inline constexpr int kLoadFailed = 34630;  // %s: "HTTP 404" or the engine's error name
inline constexpr int kWaiting = 149;
inline constexpr int kImportance = 151;  // "重要度%d"
inline constexpr int kOutOfResources = 1001;
// Exit dialog.
inline constexpr int kExitTitle = 34601;
inline constexpr int kExitText = 34602;
inline constexpr int kExitQuestion = 34603;
inline constexpr int kExitSave = 1583;
inline constexpr int kExitDiscard = 1584;
inline constexpr int kExitCancel = 34604;
inline constexpr int kExitDontAsk = 1078;
// Start-up refused because a store file cannot be read.
inline constexpr int kStoreLoadFailed = 34610;
// Saving: a periodic save failed (the files), the status text (their names),
// the question of a failed save at exit and its retry button, a damaged store
// left untouched (file, reason).
inline constexpr int kSaveFailedPeriodic = 34611;
inline constexpr int kSaveFailedStatus = 34612;
inline constexpr int kSaveFailedAtExit = 34613;
inline constexpr int kRetrySave = 34614;
inline constexpr int kStoreWithheld = 34615;
// A damaged store the start went past (file, reason), where its original
// was kept (file), and what a damaged engine options file costs.
inline constexpr int kStoreLoadTolerated = 34616;
inline constexpr int kStoreKeptAside = 34617;
inline constexpr int kEngineOptionsReset = 34618;
// Titles of the tab property dialog.
inline constexpr int kNewTabTitle = 34620;
inline constexpr int kTabSettingsTitle = 34621;
// Start-up refused because the data directory cannot be locked.
inline constexpr int kCannotLockDataDirectory = 34640;
// The settings file cannot be used: the run goes on with the defaults.
inline constexpr int kSettingsUnusable = 34641;
// "タブ": the word the delete-all question uses for tabs.
inline constexpr int kTabWord = 154;
// The search button's name.
inline constexpr int kSearchButton = 148;
// The exported clip list's page caption, and the resource guard's warning.
inline constexpr int kClipListPage = 315;
inline constexpr int kTooManyTabs = 1040;
// Engine properties dialog: title, new-engine title, the icon list's
// first choice, the four encodings (kEncodingNone + n), the field labels
// in dialog order (kEngineFieldLabelBase + field), the gesture buttons and
// the message when no user engine ID is left.
inline constexpr int kEngineDialogTitle = 34691;
inline constexpr int kNewEngineTitle = 186;
inline constexpr int kAutomaticIcon = 34660;
inline constexpr int kEncodingNone = 34661;
inline constexpr int kEngineFieldLabelBase = 34665;
inline constexpr int kGestureSeparator = 34677;
inline constexpr int kGestureDelete = 34678;
inline constexpr int kGestureClear = 34679;
inline constexpr int kGestureDirectInput = 34680;
inline constexpr int kNoUserEngineIdLeft = 34690;
// The category a shop's search added from its page goes in by default, and
// the label of the dialog's category choice.
inline constexpr int kAddedSearchCategory = 34702;
inline constexpr int kEngineCategoryLabel = 34703;
// Adding a shop's own search (menu text) and why its description is refused.
inline constexpr int kAddSiteSearch = 34681;
inline constexpr int kDescriptionTooLarge = 34682;
inline constexpr int kDescriptionMalformed = 34683;
inline constexpr int kDescriptionNoHtmlUrl = 34684;
inline constexpr int kDescriptionNoSearchTerms = 34685;
inline constexpr int kDescriptionBadUrl = 34686;
// Editing the command table: a key name outside the key table, a key or
// gesture another command has, and the questions before a reset.
inline constexpr int kInvalidShortcutKey = 1025;
inline constexpr int kShortcutTaken = 1026;
inline constexpr int kResetGestures = 1027;
inline constexpr int kResetShortcuts = 1028;
// Letters refused for an owner that holds them (%s its name, %s its letters),
// and the typed letters' status once no owner's letters start with them.
inline constexpr int kLettersHolder = 34700;
inline constexpr int kTypedNoOwner = 34701;
inline constexpr int kDescriptionEncoding = 34687;
inline constexpr int kDescriptionParameter = 34688;
inline constexpr int kDescriptionMethod = 34689;
// A description's engine address with a user name in it (%s: the
// address), its name with a control character.
inline constexpr int kDescriptionUserInfo = 34694;
inline constexpr int kDescriptionBadName = 34695;
// An address another program handed over that is not opened (%s), and the
// status text of a saved page not loaded at start.
inline constexpr int kOutsideAddressRefused = 34696;
inline constexpr int kPageNotLoaded = 34697;
// The page names no search description; fetching it failed (the reason).
inline constexpr int kNoDescription = 34692;
inline constexpr int kDescriptionNotFetched = 34693;
// Why it failed when the whole fetch took too long (%s: seconds).
inline constexpr int kTookTooLong = 34698;
// Item properties dialog: the labels in dialog order (kItemFieldLabelBase +
// field; the count's label is kItemCountLabelBase + store type), the tag
// button, the importance choices and the bar check box (%s: the store word).
inline constexpr int kItemFieldLabelBase = 34650;
inline constexpr int kItemTagButton = 34656;
inline constexpr int kItemNoImportance = 34657;
inline constexpr int kItemImportanceChoice = 34658;
inline constexpr int kItemBarCheck = 34659;
inline constexpr int kItemCountLabelBase = 180;
}  // namespace string_id

}  // namespace tolvane
