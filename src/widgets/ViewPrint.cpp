#include "widgets/ViewPrint.h"

#include <atomic>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string>

#include "app/Globals.h"
#include "app/Paths.h"
#include "kit/app/Message.h"
#include "kit/interface/Bitmap.h"
#include "kit/interface/View.h"
#include "kit/print/PrintJob.h"
#include "kit/storage/SafeFile.h"
#include "kit/translation/BitmapStream.h"
#include "kit/translation/TranslatorFormats.h"
#include "kit/translation/TranslatorRoster.h"

// MARK: Printing

namespace {

const BPoint kPageOffset(31, 31);

std::atomic<int32> sPrintCount{0};
std::mutex sSettingsLock;
std::unique_ptr<BMessage> sPrintSettings;

std::unique_ptr<BMessage> remembered_settings()
{
    std::lock_guard<std::mutex> hold(sSettingsLock);
    return sPrintSettings ? std::make_unique<BMessage>(*sPrintSettings) : nullptr;
}

void remember_settings(BMessage* settings)
{
    std::lock_guard<std::mutex> hold(sSettingsLock);
    sPrintSettings.reset(settings);
}

// Every print asks for the page set-up again.
struct ForgetSettings
{
    ~ForgetSettings() { remember_settings(nullptr); }
};

// Bounds read under the window's lock; the view lays itself out again.
BRect refreshed_bounds(BView* view)
{
    bool locked = view->LockLooper();
    view->Invalidate();
    BRect bounds = view->Bounds();
    if (locked)
        view->UnlockLooper();
    return bounds;
}

} // namespace

int32 ViewPrint(BView* view)
{
    printf("\nnew printing...\n");
    ForgetSettings forget;
    if (view == nullptr)
        return -1;
    BRect bounds = refreshed_bounds(view);

    std::string name = "VantrelSpool" + std::to_string(++sPrintCount);
    BPrintJob job(name.c_str());
    job.SetPdfFolder(BuildPath(path2app, kDefsFolder).c_str());

    if (std::unique_ptr<BMessage> settings = remembered_settings()) {
        job.SetSettings(settings.release());
    } else {
        if (job.ConfigPage() != B_OK) {
            printf("<1>result not B_OK\n");
            return -1;
        }
        remember_settings(job.Settings());
    }
    if (job.ConfigJob() != B_OK) {
        printf("<2>result not B_OK\n");
        return -1;
    }

    job.BeginJob();
    job.DrawView(view, bounds, kPageOffset);
    job.SpoolPage();
    job.CommitJob();
    return job.CanContinue() ? 0 : -1;
}

// MARK: Snapshots

namespace {

uint32 image_format(const char* path)
{
    if (std::strstr(path, ".jpg") != nullptr)
        return B_JPEG_FORMAT;
    if (std::strstr(path, ".gif") != nullptr)
        return B_GIF_FORMAT;
    return B_PNG_FORMAT;
}

bool is_folder(const char* path)
{
    std::error_code error;
    return std::filesystem::is_directory(path, error);
}

status_t write_image(BBitmap* bitmap, BSafeFile* file, uint32 format)
{
    if (bitmap == nullptr)
        return B_BAD_VALUE;
    BBitmapStream stream(bitmap);
    status_t status =
        BTranslatorRoster::Default()->Translate(&stream, nullptr, nullptr, file, format);
    // The stream must not delete the caller's bitmap.
    BBitmap* mine = nullptr;
    stream.DetachBitmap(&mine);
    if (status != B_OK)
        return status;
    return file->Commit();
}

} // namespace

int32 LocalImageSave(const char* path, BBitmap* bitmap)
{
    if (path == nullptr)
        path = "";
    printf("LocalImageSave :\n\t'%s'\n", path);

    // A folder of that name would only fail at the final rename, after the
    // whole picture was encoded.
    std::unique_ptr<BSafeFile> file;
    if (*path != '\0' && !is_folder(path))
        file = std::make_unique<BSafeFile>(path);
    if (file == nullptr || file->InitCheck() != B_OK) {
        printf("Error creat ofile");
        return -1;
    }
    int32 result = 0;
    if (write_image(bitmap, file.get(), image_format(path)) != B_OK) {
        printf("Error writing ofile");
        result = -1;
    }
    printf("LocalImageSave : done\n");
    return result;
}
