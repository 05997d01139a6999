#include "app/shell/SettingsView.h"

#include "app/model/FontSizes.h"
#include "app/platform/AppContext.h"
#include "app/reading/FontChoiceKeys.h"
#include "app/reading/FontColors.h"
#include "app/reading/UserSettings.h"

namespace lumenscroll {

namespace {

std::int64_t storedIndex(const SettingsStore& defaults, const QString& key, std::int64_t fallback) {
    return defaults.hasValue(key) ? defaults.integer(key) : fallback;
}

} // namespace

const QString SettingsView::optionKeyNotice = QStringLiteral(
    "** 만약 앱의 상태가 꼬여서 다시 실행시 비정상 종료되면, 임시적으로 실행시 Option(Alt)키를 누른 채로 "
    "실행하시면서 성경내용이 나올때까지 Option(Alt)키를 누르고 계시면 앱을 다시 실행하실 수 있습니다.");

SettingsView::SettingsView(UserSettings& userSettings, AppContext& context)
    : options(fontSizes.begin(), fontSizes.end())
    , fontColorArray(defaultFontColorArray())
    , fontColorNameArray{"검은색", "파란색", "갈색",   "회색", "빨간색", "민트색", "짙은파란색",
                         "하늘색", "녹색",   "주황색", "핑크색", "하얀색", "노란색"}
    , customFontsNameArray{"배민 도현",     "배민 10년후 을지로", "배민 을지로 오래오래", "배민 을지로",
                           "배민 한나 11주년", "배민 한나 에어",    "배민 한나 프로",      "배민 주아",
                           "배민 기랑해랑",  "배민 연성",         "고도 볼드",           "고도 보통",
                           "고도 마음",      "고도 라운드 L",     "고도 라운드 R",       "마우부리 세미볼드"}
    , customFontsNameForPickerArray{"배달의민족 도현",     "배민 을지로10년후체",     "배달의민족 을지로오래오래체",
                                    "배달의민족 을지로체 TTF", "배달의민족 한나는 열한살", "배달의민족 한나체 Air",
                                    "배달의민족 한나체 Pro", "배달의민족 주아",         "배달의민족 기랑해랑",
                                    "배달의민족 연성",     "고도 B",                  "고도 M",
                                    "godoMaum",            "godoRounded L",           "godoRounded R",
                                    "마루 부리OTF"}
    , explanation("성경 장별로 창을 여러개 띄울 수 있는 점이 특징이고, 성경전체 검색과 복사기능이 제공됩니다.")
    , explanation2("[시1:1-2]  복 있는 사람은 악인들의 꾀를 따르지 아니하며 죄인들의 길에 서지 아니하며 오만한 "
                   "자들의 자리에 앉지 아니하고  오직 여호와의 율법을 즐거워하여 그의 율법을 주야로 묵상하는도다")
    , userSettings(userSettings)
    , context_(context)
    , watchers_(context.scheduler()) {
    watchers_.observe(*this);
    watchers_.watch([this] { return pickerIndex(); }, [this](std::int64_t index) { pickerIndexChanged(index); });
    watchers_.watch([this] { return pickerIndex2(); }, [this](std::int64_t index) { pickerIndex2Changed(index); });
    watchers_.watch([this] { return pickerIndex3(); }, [this](std::int64_t index) { pickerIndex3Changed(index); });
}

SettingsView::~SettingsView() = default;

void SettingsView::appear() {
    sizePickerAppeared();
    colorPickerAppeared();
    fontPickerAppeared();
}

void SettingsView::sizePickerAppeared() {
    pickerIndex.set(storedIndex(context_.settings(), fontSizeKey, defaultFontSizeIndex));
}

void SettingsView::colorPickerAppeared() {
    pickerIndex2.set(storedIndex(context_.settings(), fontColorKey, 0));
}

void SettingsView::fontPickerAppeared() {
    pickerIndex3.set(storedIndex(context_.settings(), fontKey, 0));
}

void SettingsView::pickerIndexChanged(std::int64_t index) {
    userSettings.pickerIndex.set(index);
    store(fontSizeKey, userSettings.pickerIndex());
}

void SettingsView::pickerIndex2Changed(std::int64_t index) {
    userSettings.pickerIndex2.set(index);
    store(fontColorKey, userSettings.pickerIndex2());
}

void SettingsView::pickerIndex3Changed(std::int64_t index) {
    userSettings.pickerIndex3.set(index);
    store(fontKey, userSettings.pickerIndex3());
}

void SettingsView::close() {
    userSettings.settingsViewBtnPressed.set(false);
}

void SettingsView::store(const QString& key, std::int64_t index) {
    SettingsStore& defaults = context_.settings();
    defaults.setInteger(key, index);
    // A choice is made seldom and must survive a run that ends badly.
    defaults.sync();
}

} // namespace lumenscroll
