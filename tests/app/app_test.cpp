#include <gtest/gtest.h>

#include <sys/stat.h>

#include <lcms2.h>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QProcess>
#include <QTest>
#include <cstring>
#include <fstream>

#include "app/command_pick.h"
#include "app/options.h"
#include "app/pick_flow.h"
#include "app/picker_memory.h"
#include "core/magnifier.h"
#include "core/text.h"
#include "fakes.h"
#include "platform/capture/late_libraries.h"
#include "platform/capture/monitor_profile.h"
#include "platform/capture/wayland_capture.h"
#include "platform/desktop/clipboard.h"
#include "platform/desktop/desktop.h"
#include "settings/settings_store.h"
#include "temp_folder.h"

// Declared so a table can name it; no library defines it.
extern "C" int velmor_no_such_function(int);

namespace velmor {
namespace {

using testing::FakeCapture;
using testing::FakePointer;

class FakePicker : public PickerView {
  public:
    void Open() override { open = true; }
    bool IsOpen() const override { return open; }
    QWidget* MessageParent() const override { return nullptr; }
    bool open = false;
};

class FakeViews : public PickViews {
  public:
    std::unique_ptr<PickerView> MakePicker(ScreenImage, PointerControl&, const AppOptions&,
                                           PickerMemory& memory, QWidget*) override {
        // What a person changes in the picker, to be kept when it closes.
        memory.SetZoom(ZoomStep(memory.Zoom(), 1));
        PickHistory history = memory.History();
        history.Add(Color::From8(4, 5, 6));
        memory.SetHistory(history);
        auto picker = std::make_unique<FakePicker>();
        lastPicker = picker.get();
        openedArea = memory.Area();
        return picker;
    }
    std::unique_ptr<QObject> ShowPermissionNote(std::function<void()>) override {
        return std::make_unique<QObject>();
    }
    bool OfferRemedy(const QString& reason, ScreenCapture::Remedy remedy) override {
        offered << qMakePair(reason, remedy);
        return acceptRemedy;
    }
    QList<QPair<QString, ScreenCapture::Remedy>> offered;
    bool acceptRemedy = false;
    FakePicker* lastPicker = nullptr;
    std::int32_t openedArea = 0;
};

// A window with no window-system window: it is gone the moment it is hidden.
class FakeHost : public PickHost {
  public:
    bool IsShown() const override { return shown; }
    QWindow* Handle() const override { return nullptr; }
    void Hide() override { shown = false; }
    void Restore() override {
        shown = true;
        ++restores;
    }
    QWidget* Widget() const override { return nullptr; }
    bool shown = true;
    int restores = 0;
};

// A pick flow with fakes around it and a settings file of its own.
struct FlowRig {
    FakeCapture capture;
    FakePointer pointer;
    FakeViews views;
    const AppOptions options{};
    TempFolder folder;
    const SettingsFile settings{folder.File("settings.ini")};
    PickerMemory memory{settings};
    PickFlow flow{capture, pointer, options, memory, views};
};

// A picture, then PICKS (with Shift where true), then Esc unless CLOSE is false.
std::function<void(FakeCapture&, FakeViews&)> Picks(std::vector<std::pair<Color, bool>> picks,
                                                    bool close = true) {
    return [picks, close](FakeCapture& c, FakeViews& v) {
        emit c.captured(testing::Shot(QImage(2, 2, QImage::Format_RGB32)));
        for (const auto& [color, shift] : picks) emit v.lastPicker->picked(color, nullptr, shift);
        if (close) emit v.lastPicker->closed();
    };
}

TEST(PickFlow, EveryAnswerOfTheDesktopEndsThePickAndBringsTheWindowBack) {
    using O = PickFlow::Outcome;
    const Color some = Color::From8(1, 2, 3), desktops = Color::From8(1, 128, 255);
    const auto none = std::nullopt;
    const struct {
        const char* what;
        std::function<void(FakeCapture&, FakeViews&)> answer;
        O outcome;
        QString reason;
        std::optional<Color> picked;
    } cases[] = {
        {"a picture, a pick, Esc", Picks({{some, false}}), O::Closed, "", some},
        {"an empty picture", [](auto& c, auto&) { emit c.captured({}); }, O::Failed,
         "The screen could not be read.", none},
        {"a failure", [](auto& c, auto&) { emit c.failed("no portal"); }, O::Failed, "no portal",
         none},
        {"a refusal", [](auto& c, auto&) { emit c.cancelled(); }, O::Cancelled, "", none},
        {"the desktop's own pick", [](auto& c, auto&) { emit c.colorPicked(QColor(1, 128, 255)); },
         O::Closed, "", desktops},
        {"a refusal, told and not tried again",
         [](FakeCapture& c, FakeViews& v) {
             emit c.askingUser();
             emit c.stoppedAsking();
             emit c.refused("refused", ScreenCapture::Remedy::DesktopPicker);
             EXPECT_EQ(v.offered.size(), 1);
         },
         O::Refused, "refused", none},
        {"a refusal, then the desktop's own picker as the user chose",
         [](FakeCapture& c, FakeViews& v) {
             if (!c.retries.isEmpty()) {
                 EXPECT_EQ(c.retries, QList{ScreenCapture::Remedy::DesktopPicker});
                 emit c.colorPicked(QColor(1, 128, 255));
                 return;
             }
             v.acceptRemedy = true;
             emit c.refused("refused", ScreenCapture::Remedy::DesktopPicker);
         },
         O::Closed, "", desktops},
    };
    for (const auto& c : cases) {
        FlowRig rig;
        FakeHost host;
        rig.flow.SetHost(&host);
        struct {
            QList<PickFlow::Outcome> outcomes;
            QString reason;
            std::optional<Color> picked;
        } run;
        QObject::connect(&rig.flow, &PickFlow::finished, [&run](PickFlow::Outcome o, QString why) {
            run.outcomes << o;
            run.reason = why;
        });
        QObject::connect(&rig.flow, &PickFlow::picked, [&run](Color c) { run.picked = c; });
        rig.capture.answer = [&](FakeCapture& fake) { c.answer(fake, rig.views); };
        rig.flow.Start();
        EXPECT_FALSE(host.shown) << c.what;
        ASSERT_TRUE(QTest::qWaitFor([&] { return !run.outcomes.isEmpty(); }, 2000)) << c.what;
        EXPECT_EQ(run.outcomes, QList<PickFlow::Outcome>{c.outcome}) << c.what;
        EXPECT_EQ(run.reason, c.reason) << c.what;
        EXPECT_EQ(run.picked, c.picked) << c.what;
        EXPECT_EQ(rig.flow.CurrentState(), PickFlow::State::Idle) << c.what;
        PickerMemory stored{rig.settings};
        stored.Load();
        EXPECT_EQ(stored.Zoom(), rig.memory.Zoom()) << c.what;
        EXPECT_EQ(stored.History(), rig.memory.History()) << c.what;
        EXPECT_TRUE(host.shown) << c.what;
        EXPECT_EQ(host.restores, 1) << c.what;
    }
}

TEST(CommandPick, AnswersOnceWithTheStatusTheTextAndTheReason) {
    const Color orange = Color::From8(255, 140, 0);
    const struct {
        std::string args;
        std::function<void(FakeCapture&, FakeViews&)> answer;
        int status;
        QString out, err;
        int requests = 1;
    } cases[] = {
        {"--pick --format hex --copy", Picks({{orange, false}}), 0, "#ff8c00\n", ""},
        // Shift keeps picking: a line each, and Esc after them is a success.
        {"--pick --format hex", Picks({{orange, true}, {Color::From8(0, 0, 1), true}}), 0,
         "#ff8c00\n#000001\n", ""},
        // A plain pick after Shift ones ends it; nothing after it counts.
        {"--pick --format rgb",
         Picks({{Color::From8(1, 2, 3), true}, {Color::From8(4, 5, 6), false}, {orange, false}},
               false),
         0, "rgb(1 2 3)\nrgb(4 5 6)\n", ""},
        {"--pick --format 9 --managed", [](auto& c, auto&) { emit c.colorPicked(QColor(1, 2, 3)); },
         0, "RGB(1,2,3)\n", "the monitor has no color profile; the value is the screen's own"},
        {"--pick --average 5",
         [](FakeCapture& c, FakeViews& v) {
             emit c.captured(testing::Shot(QImage(2, 2, QImage::Format_RGB32)));
             EXPECT_EQ(v.openedArea, 5);
             emit v.lastPicker->closed();
         },
         1, "", ""},
        {"--pick", [](auto& c, auto&) { emit c.failed("no portal"); }, 2, "", "no portal"},
        {"--pick --format nosuch", nullptr, 2, "", "", 0},
    };
    for (const auto& c : cases) {
        FlowRig rig;
        Options options(rig.settings);
        options.Load();
        rig.capture.answer = [&rig, &c](FakeCapture& capture) { c.answer(capture, rig.views); };
        PutTextOnClipboard(QStringLiteral("before"));
        CommandPick pick(ParseCommandLine(Split(c.args, ' ')), options, rig.capture, rig.pointer,
                         rig.memory, rig.views);
        QList<QStringList> answers;
        QObject::connect(&pick, &CommandPick::answered,
                         [&](int status, const QString& out, const QString& err) {
                             answers << QStringList{QString::number(status), out, err};
                         });
        pick.Start();
        EXPECT_TRUE(QTest::qWaitFor([&] { return !answers.isEmpty(); }, 1000));
        QTest::qWait(10);
        const std::string& what = c.args;
        ASSERT_EQ(answers.size(), 1) << what;
        EXPECT_EQ(answers[0][0].toInt(), c.status) << what;
        EXPECT_EQ(answers[0][1], c.out) << what;
        if (c.status == 2 && c.requests == 0) {
            EXPECT_TRUE(answers[0][2].contains(QStringLiteral("nosuch"))) << what;
        } else {
            EXPECT_EQ(answers[0][2], c.err) << what;
        }
        EXPECT_EQ(rig.capture.requests, c.requests) << what;
        EXPECT_EQ(ClipboardText(), c.args.ends_with("--copy") ? QStringLiteral("#ff8c00")
                                                              : QStringLiteral("before"));
        // The area asked for holds for this pick only.
        EXPECT_EQ(rig.memory.Area(), 1) << what;
    }
}

TEST(Clipboard, TextIsServedInTheTypesWaylandProgramsAskFor) {
    PutTextOnClipboard(QStringLiteral("#FF8C00 é"));
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->text(), QStringLiteral("#FF8C00 é"));
    // GNOME's clipboard and GTK programs ask for this type first.
    EXPECT_EQ(data->data("text/plain;charset=utf-8"), QByteArray("#FF8C00 \xc3\xa9"));
    EXPECT_EQ(ClipboardText(), QStringLiteral("#FF8C00 é"));
}

TEST(SystemDesktop, AnOpenerThatFailsIsReportedOneThatWorksIsNot) {
    TempFolder folder;
    const QByteArray path = qgetenv("PATH");
    for (const int status : {0, 4}) {
        const std::string opener = folder.File("xdg-open");
        std::ofstream(opener) << "#!/bin/sh\nexit " << status << "\n";
        ::chmod(opener.c_str(), 0755);
        qputenv("PATH", QByteArray::fromStdString(folder.Path()) + ":" + path);
        QList<QUrl> failed;
        SystemDesktop desktop([&failed](const QUrl& url) { failed << url; });
        const QUrl guide = QUrl::fromLocalFile("/nowhere/guide.html");
        EXPECT_TRUE(desktop.Open(guide));
        QTest::qWait(1500);  // the opener ends at once; its status is read within this
        EXPECT_EQ(failed, status == 0 ? QList<QUrl>{} : QList<QUrl>{guide}) << status;
    }
    qputenv("PATH", path);
}

TEST(SystemDesktop, GnomesKeybindingAndTheAutostartEntryAreWrittenForReal) {
    TempFolder folder;
    const QByteArray config = QByteArray::fromStdString(folder.Path());
    qputenv("XDG_CONFIG_HOME", config);
    SystemDesktop desktop;
    QString why;
    EXPECT_FALSE(desktop.StartsWithDesktop());
    ASSERT_TRUE(desktop.SetStartWithDesktop(true, &why)) << why.toStdString();
    std::ifstream entry(folder.File("autostart/" VELMOR_APP_ID ".desktop"));
    const std::string text((std::istreambuf_iterator<char>(entry)), {});
    EXPECT_NE(text.find("\" --background\n"), std::string::npos) << text;
    EXPECT_TRUE(desktop.StartsWithDesktop());
    ASSERT_TRUE(desktop.SetStartWithDesktop(false, &why));
    EXPECT_FALSE(desktop.StartsWithDesktop());

    // gsettings on a file of this test's own, read back by gsettings.
    QProcess probe;
    probe.start("gsettings", {"list-schemas"});
    if (!probe.waitForFinished(5000) ||
        !probe.readAllStandardOutput().contains("org.gnome.settings-daemon.plugins.media-keys")) {
        GTEST_SKIP() << "GNOME's keybinding schema is not installed";
    }
    qputenv("GSETTINGS_BACKEND", "keyfile");
    const auto get = [](const QStringList& args) {
        QProcess gsettings;
        gsettings.start("gsettings", QStringList{"get"} + args);
        gsettings.waitForFinished(5000);
        return QString::fromUtf8(gsettings.readAllStandardOutput()).trimmed();
    };
    const QString binding =
        "org.gnome.settings-daemon.plugins.media-keys.custom-keybinding:"
        "/org/gnome/settings-daemon/plugins/media-keys/custom-keybindings/velmor/";
    for (int round = 0; round < 2; ++round) {  // a second time changes nothing
        ASSERT_TRUE(desktop.BindGnomeShortcut("<Super><Shift>c", &why)) << why.toStdString();
        EXPECT_EQ(get({"org.gnome.settings-daemon.plugins.media-keys", "custom-keybindings"}),
                  "['/org/gnome/settings-daemon/plugins/media-keys/custom-keybindings/velmor/']");
    }
    EXPECT_EQ(get({binding, "binding"}), "'<Super><Shift>c'");
    EXPECT_TRUE(get({binding, "command"}).endsWith("\" --pick --copy'"));
    qunsetenv("GSETTINGS_BACKEND");
    qunsetenv("XDG_CONFIG_HOME");
}

TEST(Captures, PicturesOfMoreThan8BitsKeepThem) {
    QImage ten(4, 2, QImage::Format_RGB30);
    ten.fill(QColor::fromRgba64(QRgba64::fromRgba64(51377, 64, 65535, 65535)));
    QImage eight(2, 2, QImage::Format_RGB32);
    eight.fill(Qt::red);
    const std::optional<ScreenImage> both =
        ComposeOutputs({ten, eight}, {QRect(0, 0, 4, 2), QRect(4, 0, 2, 2)});
    ASSERT_TRUE(both);
    EXPECT_EQ(both->channelBits, 10);
    EXPECT_EQ(both->image.pixelColor(1, 1).rgba64(), ten.pixelColor(0, 0).rgba64());
    EXPECT_EQ(both->image.pixelColor(5, 1), QColor(Qt::red));
    EXPECT_EQ(SourceNotes(*both).size(), 1);
    const std::optional<ScreenImage> plain = ComposeOutputs({eight}, {QRect(0, 0, 2, 2)});
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->image.format(), QImage::Format_RGB32);
    EXPECT_TRUE(SourceNotes(*plain).isEmpty());
}

TEST(Captures, WhereThePortalFailsAMissingScreenCopyModuleIsNamedToo) {
    // The tests have no screen-copy module beside them, and no KWin answers.
    auto portal = std::make_unique<testing::FakeCapture>();
    portal->answer = [](testing::FakeCapture& c) { emit c.failed("no portal here"); };
    WaylandCapture capture(std::move(portal));
    QString said;
    QObject::connect(&capture, &ScreenCapture::failed, [&](const QString& why) { said = why; });
    capture.Request({});
    EXPECT_TRUE(said.startsWith("no portal here\n")) << said.toStdString();
    EXPECT_TRUE(said.contains("screen-copy module (velmor-wayland-copy.so)")) << said.toStdString();
}

TEST(MonitorProfile, ConvertsAsLittleCmsItselfDoes) {
    const QByteArray icc = DisplayP3Icc();
    const auto profile = MonitorProfile::FromIcc(icc);
    ASSERT_NE(profile, nullptr);
    EXPECT_EQ(profile->Description(), "Display P3");
    cmsHPROFILE p3 =
        cmsOpenProfileFromMem(icc.constData(), static_cast<cmsUInt32Number>(icc.size()));
    cmsHPROFILE srgb = cmsCreate_sRGBProfile();
    // The reference: Little CMS's own transform, built here.
    cmsHTRANSFORM reference =
        cmsCreateTransform(p3, TYPE_RGB_8, srgb, TYPE_RGB_8, INTENT_RELATIVE_COLORIMETRIC, 0);
    std::uint32_t seed = 12345;
    int worst = 0;
    for (int i = 0; i < 1000; ++i) {
        seed = seed * 1664525u + 1013904223u;
        const std::uint8_t in[3] = {std::uint8_t(seed >> 24), std::uint8_t(seed >> 16),
                                    std::uint8_t(seed >> 8)};
        std::uint8_t want[3] = {};
        cmsDoTransform(reference, in, want, 1);
        const Srgb8 got = profile->ToSrgb(Color::From8(in[0], in[1], in[2])).To8();
        worst = std::max({worst, std::abs(got.red - want[0]), std::abs(got.green - want[1]),
                          std::abs(got.blue - want[2])});
    }
    EXPECT_LE(worst, 1);
    // Display P3 through itself changes nothing; sRGB's red is inside P3.
    EXPECT_EQ(profile->ToDisplayP3(Color::From8(10, 200, 30)).To8().green, 200);
    cmsDeleteTransform(reference);
    cmsCloseProfile(srgb);
    cmsCloseProfile(p3);
    EXPECT_EQ(MonitorProfile::FromIcc("not a profile"), nullptr);
    EXPECT_EQ(MonitorProfile::FromIcc({}), nullptr);
}

#define PRESENT_SYMBOLS(X) X(strlen)
#define MISSING_SYMBOLS(X) X(strlen) X(velmor_no_such_function)
struct Present {
    PRESENT_SYMBOLS(VELMOR_LATE_SYMBOL)
};
struct Missing {
    MISSING_SYMBOLS(VELMOR_LATE_SYMBOL)
};

// A table from libraries every X11 run loads is the end-to-end tests'; here,
// what a missing library or symbol gives.
TEST(LateLibraries, GiveATableOnlyWhenEveryLibraryAndSymbolIsThere) {
    EXPECT_EQ(VELMOR_LOAD_LATE(Present, PRESENT_SYMBOLS, "libc.so.6").value().strlen("four"), 4u);
    EXPECT_FALSE(VELMOR_LOAD_LATE(Missing, MISSING_SYMBOLS, "libc.so.6").has_value());
    EXPECT_FALSE(
        VELMOR_LOAD_LATE(Present, PRESENT_SYMBOLS, "libc.so.6", "libvelmor-not-installed.so.9")
            .has_value());
}

}  // namespace
}  // namespace velmor
