// SPDX-License-Identifier: GPL-3.0-or-later
// The window's form for the page. Every rule stays here: the page shows what view() gives,
// hands the user's actions to the methods below and moves bytes and timers for the seams.
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <string>
#include <vector>

#include "form/form_mvconfig.h"
#include "link/settings_table.h"
#include "settings/settings_file.h"
#include "settings/settings_panel.h"
#include "web_seams.h"

namespace morvane::web {
namespace {

using emscripten::val;

val Entries(const ComboBox& box) {
  val out = val::array();
  for (const ComboBox::Entry& entry : box.entries()) {
    val e = val::object();
    e.set("text", entry.text);
    e.set("data", entry.itemData);
    out.call<void>("push", e);
  }
  return out;
}

val Box(const ComboBox& box) {
  val out = val::object();
  out.set("entries", Entries(box));
  out.set("index", box.listIndex());
  out.set("enabled", box.enabled());
  return out;
}

val Range(const RangeControl& range) {
  val out = val::object();
  out.set("min", range.min());
  out.set("max", range.max());
  out.set("value", range.value());
  out.set("small", range.smallChange());
  out.set("large", range.largeChange());
  out.set("enabled", range.enabled());
  return out;
}

val TextOrNull(const std::optional<std::string>& text) {
  return text ? val(*text) : val::null();
}

}  // namespace

class WebApp {
 public:
  explicit WebApp(val host)
      : host_(host),
        comm_(host),
        pump_(comm_),
        form_(comm_, timer1_, timer2_, pump_,
              {MORVANE_VERSION_MAJOR, MORVANE_VERSION_MINOR, MORVANE_VERSION_PATCH}) {
    form_.setClock(clock_);
    translate_ = [this](const char* context, const char* english) {
      return host_.call<std::string>("translate", std::string(context), std::string(english));
    };
    Controls& c = form_.controls();
    Control* const watched[] = {&c.caption,     &c.FrameConfig, &c.FrameRun,    &c.CombPort,
                                &c.TxtConnState, &c.TxtHardVer,  &c.TxtFirmVer,  &c.CmdReset,
                                &c.TabStrip1,    &c.TxtPole,     &c.VSlPole,     &c.TxtRev,
                                &c.LbPower,      &c.SldPower};
    for (Control* control : watched) watch(*control);
    for (int i = 0; i < kSettingCount; ++i) watch(c.setting(i));
  }

  void load() { form_.Load(); }
  void unload() { form_.Unload(); }

  // Everything the page shows, as the controls hold it (English; the page translates).
  val view() const {
    const Controls& c = form_.controls();
    val v = val::object();
    v.set("caption", c.caption.text());
    v.set("port", Box(c.CombPort));
    v.set("connState", c.TxtConnState.text());
    v.set("hardware", c.TxtHardVer.text());
    v.set("firmware", c.TxtFirmVer.text());
    val settings = val::array();
    for (int i = 0; i < kSettingCount; ++i) {
      val box = Box(c.setting(i));
      box.set("name", c.setting(i).name());
      box.set("label", std::string(kSettings[static_cast<std::size_t>(i)].label));
      box.set("place", kSettings[static_cast<std::size_t>(i)].panelPlace);
      settings.call<void>("push", box);
    }
    v.set("settings", settings);
    v.set("resetEnabled", c.CmdReset.enabled());
    v.set("tab", c.TabStrip1.selectedItem());
    v.set("configShown", c.FrameConfig.visible());
    v.set("runShown", c.FrameRun.visible());
    v.set("poles", c.TxtPole.text());
    v.set("poleBar", Range(c.VSlPole));
    v.set("rev", c.TxtRev.text());
    v.set("power", c.LbPower.text());
    v.set("throttle", Range(c.SldPower));
    v.set("motorMayRun", form_.motorMayRun());
    return v;
  }

  // The user's actions, each as the window raises it.
  void pickPortEntry(int index) { form_.controls().CombPort.setListIndex(index); }
  void pickSetting(int setting, int index) { form_.pickSetting(setting, index); }
  void restoreDefaults() { form_.restoreDefaults(); }
  void moveThrottle(int value) { form_.moveThrottle(value); }
  void movePoles(int value) { form_.controls().VSlPole.setValue(value); }
  void chooseTab(int tab) { form_.chooseTab(tab); }
  void stopKey() { form_.OnStopKey(); }
  // The page goes away: the window's own shutdown, which stops a motor that may run.
  void pageHidden() { form_.Unload(); }
  // A hidden page gets its timers late or never: a turning motor is stopped now, not at
  // the next poll.
  void hiddenWhileRunning() {
    if (form_.controls().SldPower.value() == 0) return;
    form_.link().writeFrame(kStopFrame);
    form_.OnStopKey();
  }

  // The transports.
  // A transport there before start-up, for its scan.
  void portPresent(int n) { comm_.setPresent(n, true); }
  void portAppeared(int n) {
    comm_.setPresent(n, true);
    form_.PortAppeared(n);
  }
  // A transport lost (an adapter pulled out, the bridge gone): a stop is tried on it first,
  // in case the ESC still hears us.
  void portLost(int n) {
    if (comm_.portOpen() && comm_.commPort() == n && form_.motorMayRun()) {
      form_.link().writeFrame(kStopFrame);
    }
    comm_.lost(n);
    form_.PortVanished(n);
  }
  void deliver(int n, val bytes) {
    comm_.deliver(n, emscripten::convertJSArrayToNumberVector<std::uint8_t>(bytes));
  }

  // Settings files: the page reads and writes the JSON; what it says is decided here.
  val panelDocument() const {
    const SettingsDocument doc = PanelDocument(form_);
    val settings = val::object();
    for (int i : kPanelOrder) {
      const int index = doc.values[static_cast<std::size_t>(i)];
      if (index != kNotGiven) {
        settings.set(kSettingNames[static_cast<std::size_t>(i)], ChoiceText(i, index));
      }
    }
    val out = val::object();
    out.set("format", std::string(kSettingsFormat));
    out.set("version", kSettingsVersion);
    out.set("settings", settings);
    out.set("model", TextOrNull(doc.model));
    out.set("firmware", TextOrNull(doc.firmware));
    return out;
  }
  bool readyForLoad() const { return ReadyForLoad(form_); }
  // entries: [[name, value or null], ...]; the refusal in the page's language, or "" when
  // every entry was good and the panel has picked them.
  std::string loadSettings(val entries) {
    std::vector<SettingEntry> given;
    const int count = entries["length"].as<int>();
    for (int i = 0; i < count; ++i) {
      const val entry = entries[i];
      const val value = entry[1];
      given.push_back({entry[0].as<std::string>(),
                       value.isString() ? std::optional<std::string>(value.as<std::string>())
                                        : std::nullopt});
    }
    const ParsedSettings parsed = ParseSettings(given, translate_);
    if (!parsed.error.empty()) return parsed.error;
    PickSettings(form_, parsed.values);
    return {};
  }

 private:
  void watch(Control& control) {
    subscriptions_.push_back(control.changed.subscribe([this] { host_.call<void>("changed"); }));
  }

  val host_;
  WebComm comm_;
  WebTimer timer1_;
  WebTimer timer2_;
  WebPump pump_;
  WebClock clock_;
  FormMVconfig form_;
  TranslateText translate_;
  std::vector<Observers::Subscription> subscriptions_;
};

EMSCRIPTEN_BINDINGS(morvane_core) {
  emscripten::class_<WebApp>("WebApp")
      .constructor<val>()
      .function("load", &WebApp::load)
      .function("unload", &WebApp::unload)
      .function("view", &WebApp::view)
      .function("pickPortEntry", &WebApp::pickPortEntry)
      .function("pickSetting", &WebApp::pickSetting)
      .function("restoreDefaults", &WebApp::restoreDefaults)
      .function("moveThrottle", &WebApp::moveThrottle)
      .function("movePoles", &WebApp::movePoles)
      .function("chooseTab", &WebApp::chooseTab)
      .function("stopKey", &WebApp::stopKey)
      .function("pageHidden", &WebApp::pageHidden)
      .function("hiddenWhileRunning", &WebApp::hiddenWhileRunning)
      .function("portPresent", &WebApp::portPresent)
      .function("portAppeared", &WebApp::portAppeared)
      .function("portLost", &WebApp::portLost)
      .function("deliver", &WebApp::deliver)
      .function("panelDocument", &WebApp::panelDocument)
      .function("readyForLoad", &WebApp::readyForLoad)
      .function("loadSettings", &WebApp::loadSettings);
}

}  // namespace morvane::web
