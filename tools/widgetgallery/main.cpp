// The widget gallery: the program's own controls in one window, a section
// per family (see Gallery.h), so the team can see how they look and work.
// What the user does is printed, one line each ("window: 'GO__'",
// "application: 'VTWO'").
//
//   widgetgallery                              on the desktop (SDL)
//   widgetgallery --headless --screenshot FILE the window as a PNG
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <unistd.h>

#include "Gallery.h"
#include "app/Globals.h"
#include "app/Settings.h"
#include "calendar/TimeValue.h"
#include "data/STOrder.h"
#include "data/STWorker.h"
#include "kit/app/Application.h"
#include "kit/app/IdleLoopers.h"
#include "kit/display/DisplayBackend.h"
#include "kit/display/HeadlessBackend.h"
#include "kit/interface/Box.h"
#include "kit/interface/Window.h"

namespace {

constexpr float kGap = 10;
constexpr float kRowWidth = 660;

std::vector<const GallerySection*>& registry()
{
    static std::vector<const GallerySection*> sections;
    return sections;
}

class GalleryWindow : public BWindow
{
public:
    GalleryWindow()
        : BWindow(BRect(60, 60, 60 + kRowWidth + 2 * kGap - 1, 559), "Widget gallery",
                  B_TITLED_WINDOW, B_NOT_RESIZABLE)
    {
        auto* root = new BView(Bounds(), "root", B_FOLLOW_ALL, B_WILL_DRAW);
        root->SetViewColor(216, 216, 216);
        AddChild(root);
        float x = kGap, y = kGap, rowHeight = 0;
        for (const GallerySection* section : GallerySection::All()) {
            float width = section->width + 2 * kGap, height = section->height + 3 * kGap;
            if (x + width > kRowWidth + kGap) {
                x = kGap;
                y += rowHeight + kGap;
                rowHeight = 0;
            }
            auto* box = new BBox(BRect(x, y, x + width - 1, y + height - 1), section->title);
            box->SetLabel(section->title);
            root->AddChild(box);
            auto* area = new BView(
                BRect(kGap, 2 * kGap, kGap + section->width - 1, 2 * kGap + section->height - 1),
                "area", B_FOLLOW_NONE, B_WILL_DRAW);
            area->SetViewColor(216, 216, 216);
            box->AddChild(area);
            section->fill(area);
            x += width + kGap;
            rowHeight = std::max(rowHeight, height);
        }
        ResizeTo(Bounds().Width(), y + rowHeight + kGap - 1);
    }

    void MessageReceived(BMessage* message) override
    {
        GallerySay("window: '" + long2asc(message->what) + "'");
    }

    bool QuitRequested() override
    {
        be_app->PostMessage(B_QUIT_REQUESTED);
        return true;
    }
};

class GalleryApp : public BApplication
{
public:
    GalleryApp() : BApplication("application/x-vnd.vantrel-widgetgallery") {}

    void ReadyToRun() override
    {
        (new GalleryWindow)->Show();
        GallerySay("gallery: ready");
    }

    // What the widgets post to the application object.
    void MessageReceived(BMessage* message) override
    {
        GallerySay("application: '" + long2asc(message->what) + "'");
    }
};

// A private program folder: "defs" for the sample project, "icons" the
// project's own.
struct ProgramFolder
{
    ProgramFolder()
    {
        root =
            std::filesystem::temp_directory_path() / ("widgetgallery-" + std::to_string(getpid()));
        std::filesystem::create_directories(root / kDefsFolder);
        std::filesystem::create_directories(root / kTemplatesFolder);
        std::error_code ignored;
        std::filesystem::create_directory_symlink(VANTREL_RESOURCES "/icons", root / kIconsFolder,
                                                  ignored);
        path2app = (root / "widgetgallery").string();
        // The preferences card writes the settings when it goes: never the
        // user's own.
        std::filesystem::create_directories(root / "config");
        setenv("XDG_CONFIG_HOME", (root / "config").c_str(), 1);
        ResetSettings();
        DEFS_WKO_IO = "gallery";
        DEFS_ORD_IO = "gallery";
    }

    ~ProgramFolder()
    {
        if (STOrder* orders = STOrder::Existing())
            orders->DeleteMe();
        if (STWorker* workers = STWorker::Existing())
            workers->DeleteMe();
        std::error_code ignored;
        std::filesystem::remove_all(root, ignored);
    }

    std::filesystem::path root;
};

int take_screenshot(const char* path)
{
    auto* headless = dynamic_cast<HeadlessBackend*>(InstallDisplayBackend("headless"));
    if (headless == nullptr)
        return 1;
    GalleryApp app;
    auto* window = new GalleryWindow;
    window->Show();
    wait_for_idle_loopers();
    status_t status = headless->SavePNG(window, path);
    window->Lock();
    window->Quit();
    if (status != B_OK) {
        std::fprintf(stderr, "widgetgallery: cannot write %s\n", path);
        return 1;
    }
    GallerySay(std::string("screenshot: ") + path);
    return 0;
}

} // namespace

GallerySection::GallerySection(int order, const char* title, float width, float height, Fill fill)
    : order(order), title(title), width(width), height(height), fill(fill)
{
    registry().push_back(this);
}

std::vector<const GallerySection*> GallerySection::All()
{
    std::vector<const GallerySection*> sections = registry();
    std::stable_sort(sections.begin(), sections.end(),
                     [](const auto* a, const auto* b) { return a->order < b->order; });
    return sections;
}

void GallerySay(const std::string& line)
{
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}

int main(int argc, char** argv)
{
    const char* screenshot = nullptr;
    for (int i = 1; i < argc; i++) {
        if (std::strcmp(argv[i], "--headless") == 0)
            continue;
        if (std::strcmp(argv[i], "--screenshot") == 0 && i + 1 < argc) {
            screenshot = argv[++i];
        } else {
            std::fprintf(stderr, "usage: widgetgallery [--headless --screenshot FILE]\n");
            return 2;
        }
    }
    ProgramFolder folder;
    if (screenshot != nullptr)
        return take_screenshot(screenshot);
    if (InstallDisplayBackend(nullptr) == nullptr)
        return 1;
    GalleryApp app;
    app.Run();
    return 0;
}
