// libjpeg's own error handling ends the process; here errors jump back to the
// caller instead. Everything that changes after setjmp lives in a state
// object outside the jumping function, so no local is left indeterminate.
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <jpeglib.h>
// jerror.h needs jpeglib.h first.
#include <jerror.h>

#include "kit/interface/Bitmap.h"
#include "kit/translation/ImageCodecs.h"
#include "kit/translation/TranslationDefs.h"

namespace BPrivate {

namespace {

// Real progressive files have about ten scans; thousands of tiny ones would
// each cost a pass over the whole picture.
constexpr int kMaxJpegScans = 500;
// libjpeg's own buffers (a progressive file keeps all its coefficients) may
// take what the largest picture's bitmap takes.
constexpr long kMaxJpegMemory = (long)kMaxImagePixels * 4;

struct JumpingErrors
{
    jpeg_error_mgr manager;
    jmp_buf jump;
};

[[noreturn]] void JumpOut(j_common_ptr info)
{
    longjmp(((JumpingErrors*)info->err)->jump, 1);
}

// Warnings are quiet, except running out of data, at the file's end or at a
// marker inside a scan: a cut file is broken, not a picture with a grey
// lower half (and a few bytes must not become a huge grey picture).
void JumpOnEndOfData(j_common_ptr info, int level)
{
    int code = info->err->msg_code;
    if (level < 0 && (code == JWRN_JPEG_EOF || code == JWRN_HIT_MARKER))
        JumpOut(info);
}

void StayQuiet(j_common_ptr) {}

void InstallErrors(JumpingErrors* errors)
{
    jpeg_std_error(&errors->manager);
    errors->manager.error_exit = JumpOut;
    errors->manager.emit_message = JumpOnEndOfData;
    errors->manager.output_message = StayQuiet;
}

struct Decoding
{
    JumpingErrors errors;
    jpeg_progress_mgr progress;
    jpeg_decompress_struct info;
    BBitmap* bitmap;
};

void LimitScans(j_common_ptr info)
{
    if (((j_decompress_ptr)info)->input_scan_number > kMaxJpegScans)
        JumpOut(info);
}

bool RunDecoder(Decoding* state, const uint8* data, size_t length)
{
    if (setjmp(state->errors.jump) != 0)
        return false;

    jpeg_create_decompress(&state->info);
    state->info.mem->max_memory_to_use = kMaxJpegMemory;
    state->progress.progress_monitor = LimitScans;
    state->info.progress = &state->progress;
    jpeg_mem_src(&state->info, data, length);
    jpeg_read_header(&state->info, TRUE);
    state->bitmap = NewImageBitmap(state->info.image_width, state->info.image_height);
    if (state->bitmap == nullptr)
        return false;

    state->info.out_color_space = JCS_EXT_BGRA;
    jpeg_start_decompress(&state->info);
    uint8* bits = (uint8*)state->bitmap->Bits();
    int32 bytesPerRow = state->bitmap->BytesPerRow();
    while (state->info.output_scanline < state->info.output_height) {
        JSAMPROW row = bits + (size_t)state->info.output_scanline * bytesPerRow;
        jpeg_read_scanlines(&state->info, &row, 1);
    }
    jpeg_finish_decompress(&state->info);
    return true;
}

// Compressed bytes go through a fixed block straight into the file's bytes.
struct VectorDestination
{
    jpeg_destination_mgr manager;
    std::vector<uint8>* file;
    std::vector<uint8> block;
};

void StartBlock(j_compress_ptr info)
{
    VectorDestination* destination = (VectorDestination*)info->dest;
    destination->manager.next_output_byte = destination->block.data();
    destination->manager.free_in_buffer = destination->block.size();
}

boolean PassFullBlock(j_compress_ptr info)
{
    VectorDestination* destination = (VectorDestination*)info->dest;
    const uint8* block = destination->block.data();
    destination->file->insert(destination->file->end(), block, block + destination->block.size());
    StartBlock(info);
    return TRUE;
}

void PassLastBlock(j_compress_ptr info)
{
    VectorDestination* destination = (VectorDestination*)info->dest;
    const uint8* block = destination->block.data();
    size_t used = destination->block.size() - destination->manager.free_in_buffer;
    destination->file->insert(destination->file->end(), block, block + used);
}

struct Encoding
{
    JumpingErrors errors;
    jpeg_compress_struct info;
    VectorDestination destination;
};

bool RunEncoder(Encoding* state, BBitmap* bitmap)
{
    if (setjmp(state->errors.jump) != 0)
        return false;

    jpeg_create_compress(&state->info);
    state->info.dest = &state->destination.manager;
    BRect bounds = bitmap->Bounds();
    state->info.image_width = bounds.IntegerWidth() + 1;
    state->info.image_height = bounds.IntegerHeight() + 1;
    // The alpha byte is skipped for both 32-bit spaces.
    state->info.input_components = 4;
    state->info.in_color_space = JCS_EXT_BGRX;
    jpeg_set_defaults(&state->info);
    jpeg_set_quality(&state->info, 90, TRUE);
    // Full colour resolution keeps thin coloured lines and text sharp.
    for (int i = 0; i < state->info.num_components; i++) {
        state->info.comp_info[i].h_samp_factor = 1;
        state->info.comp_info[i].v_samp_factor = 1;
    }

    jpeg_start_compress(&state->info, TRUE);
    uint8* bits = (uint8*)bitmap->Bits();
    while (state->info.next_scanline < state->info.image_height) {
        JSAMPROW row = bits + (size_t)state->info.next_scanline * bitmap->BytesPerRow();
        jpeg_write_scanlines(&state->info, &row, 1);
    }
    jpeg_finish_compress(&state->info);
    return true;
}

} // namespace

status_t DecodeJpeg(const uint8* data, size_t length, BBitmap** bitmap)
{
    Decoding state = {};
    state.info.err = &state.errors.manager;
    InstallErrors(&state.errors);

    bool done = RunDecoder(&state, data, length);
    jpeg_destroy_decompress(&state.info);
    if (!done) {
        delete state.bitmap;
        return B_ILLEGAL_DATA;
    }
    *bitmap = state.bitmap;
    return B_OK;
}

status_t EncodeJpeg(BBitmap* bitmap, std::vector<uint8>* file)
{
    Encoding state = {};
    state.info.err = &state.errors.manager;
    InstallErrors(&state.errors);
    state.destination.manager.init_destination = StartBlock;
    state.destination.manager.empty_output_buffer = PassFullBlock;
    state.destination.manager.term_destination = PassLastBlock;
    state.destination.file = file;
    state.destination.block.resize(64 * 1024);

    size_t oldSize = file->size();
    bool done = RunEncoder(&state, bitmap);
    jpeg_destroy_compress(&state.info);
    if (!done) {
        file->resize(oldSize);
        return B_ERROR;
    }
    return B_OK;
}

} // namespace BPrivate
