// A command with named, typed fields. A name may hold several values of one
// type, addressed by index. Pointers handed out by Find (strings, data) stay
// valid until the field is changed or the message is destroyed.
#pragma once

#include <string>
#include <vector>

#include "kit/app/EntryRef.h"
#include "kit/app/GraphicsDefs.h"
#include "kit/app/SupportDefs.h"
#include "kit/app/TypeConstants.h"

class BMessage
{
public:
    uint32 what;

    BMessage();
    explicit BMessage(uint32 what);
    BMessage(const BMessage& other);
    BMessage(BMessage&& other) noexcept;
    BMessage& operator=(const BMessage& other);
    BMessage& operator=(BMessage&& other) noexcept;
    virtual ~BMessage();

    // Field inventory. B_ANY_TYPE matches every type.
    int32 CountNames(type_code type) const;
    bool IsEmpty() const;
    status_t GetInfo(const char* name, type_code* typeFound, int32* countFound = nullptr) const;
    status_t GetInfo(type_code type, int32 index, const char** nameFound, type_code* typeFound,
                     int32* countFound = nullptr) const;

    status_t RemoveName(const char* name);
    // Removes one value; the name goes when its last value does.
    status_t RemoveData(const char* name, int32 index = 0);
    status_t MakeEmpty();

    // Writes what and every field, nested messages indented, to stdout.
    void PrintToStream() const;

    // Set on messages that arrive by drag and drop; the drop point is in
    // screen coordinates. The offset of the dragged item is always (0, 0).
    bool WasDropped() const { return fWasDropped; }
    BPoint DropPoint(BPoint* offset = nullptr) const;
    // For the display backends, which deliver drops.
    void _SetDropPoint(BPoint screenWhere);

    status_t AddInt8(const char* name, int8 value);
    status_t AddInt16(const char* name, int16 value);
    status_t AddInt32(const char* name, int32 value);
    status_t AddInt64(const char* name, int64 value);
    status_t AddBool(const char* name, bool value);
    status_t AddFloat(const char* name, float value);
    status_t AddDouble(const char* name, double value);
    status_t AddString(const char* name, const char* string);
    status_t AddString(const char* name, const std::string& string);
    status_t AddPointer(const char* name, const void* pointer);
    status_t AddRect(const char* name, BRect rect);
    status_t AddPoint(const char* name, BPoint point);
    status_t AddColor(const char* name, rgb_color color);
    status_t AddMessage(const char* name, const BMessage* message);
    status_t AddRef(const char* name, const entry_ref* ref);
    status_t AddData(const char* name, type_code type, const void* data, ssize_t numBytes,
                     bool isFixedSize = true, int32 count = 1);

    status_t FindInt8(const char* name, int8* value) const;
    status_t FindInt8(const char* name, int32 index, int8* value) const;
    status_t FindInt16(const char* name, int16* value) const;
    status_t FindInt16(const char* name, int32 index, int16* value) const;
    status_t FindInt32(const char* name, int32* value) const;
    status_t FindInt32(const char* name, int32 index, int32* value) const;
    status_t FindInt64(const char* name, int64* value) const;
    status_t FindInt64(const char* name, int32 index, int64* value) const;
    status_t FindBool(const char* name, bool* value) const;
    status_t FindBool(const char* name, int32 index, bool* value) const;
    status_t FindFloat(const char* name, float* value) const;
    status_t FindFloat(const char* name, int32 index, float* value) const;
    status_t FindDouble(const char* name, double* value) const;
    status_t FindDouble(const char* name, int32 index, double* value) const;
    status_t FindString(const char* name, const char** string) const;
    status_t FindString(const char* name, int32 index, const char** string) const;
    status_t FindString(const char* name, std::string* string) const;
    status_t FindString(const char* name, int32 index, std::string* string) const;
    status_t FindPointer(const char* name, void** pointer) const;
    status_t FindPointer(const char* name, int32 index, void** pointer) const;
    status_t FindRect(const char* name, BRect* rect) const;
    status_t FindRect(const char* name, int32 index, BRect* rect) const;
    status_t FindPoint(const char* name, BPoint* point) const;
    status_t FindPoint(const char* name, int32 index, BPoint* point) const;
    status_t FindColor(const char* name, rgb_color* color) const;
    status_t FindColor(const char* name, int32 index, rgb_color* color) const;
    // Copies the nested message into *message.
    status_t FindMessage(const char* name, BMessage* message) const;
    status_t FindMessage(const char* name, int32 index, BMessage* message) const;
    status_t FindRef(const char* name, entry_ref* ref) const;
    status_t FindRef(const char* name, int32 index, entry_ref* ref) const;
    // Nested messages have no byte form here: B_MESSAGE_TYPE fields give
    // B_BAD_TYPE.
    status_t FindData(const char* name, type_code type, const void** data, ssize_t* numBytes) const;
    status_t FindData(const char* name, type_code type, int32 index, const void** data,
                      ssize_t* numBytes) const;

    status_t ReplaceInt8(const char* name, int8 value);
    status_t ReplaceInt8(const char* name, int32 index, int8 value);
    status_t ReplaceInt16(const char* name, int16 value);
    status_t ReplaceInt16(const char* name, int32 index, int16 value);
    status_t ReplaceInt32(const char* name, int32 value);
    status_t ReplaceInt32(const char* name, int32 index, int32 value);
    status_t ReplaceInt64(const char* name, int64 value);
    status_t ReplaceInt64(const char* name, int32 index, int64 value);
    status_t ReplaceBool(const char* name, bool value);
    status_t ReplaceBool(const char* name, int32 index, bool value);
    status_t ReplaceFloat(const char* name, float value);
    status_t ReplaceFloat(const char* name, int32 index, float value);
    status_t ReplaceDouble(const char* name, double value);
    status_t ReplaceDouble(const char* name, int32 index, double value);
    status_t ReplaceString(const char* name, const char* string);
    status_t ReplaceString(const char* name, int32 index, const char* string);
    status_t ReplaceString(const char* name, const std::string& string);
    status_t ReplaceString(const char* name, int32 index, const std::string& string);
    status_t ReplacePointer(const char* name, const void* pointer);
    status_t ReplacePointer(const char* name, int32 index, const void* pointer);
    status_t ReplaceRect(const char* name, BRect rect);
    status_t ReplaceRect(const char* name, int32 index, BRect rect);
    status_t ReplacePoint(const char* name, BPoint point);
    status_t ReplacePoint(const char* name, int32 index, BPoint point);
    status_t ReplaceColor(const char* name, rgb_color color);
    status_t ReplaceColor(const char* name, int32 index, rgb_color color);
    status_t ReplaceMessage(const char* name, const BMessage* message);
    status_t ReplaceMessage(const char* name, int32 index, const BMessage* message);
    status_t ReplaceRef(const char* name, const entry_ref* ref);
    status_t ReplaceRef(const char* name, int32 index, const entry_ref* ref);
    status_t ReplaceData(const char* name, type_code type, const void* data, ssize_t numBytes);
    status_t ReplaceData(const char* name, type_code type, int32 index, const void* data,
                         ssize_t numBytes);

    bool HasInt8(const char* name, int32 index = 0) const;
    bool HasInt16(const char* name, int32 index = 0) const;
    bool HasInt32(const char* name, int32 index = 0) const;
    bool HasInt64(const char* name, int32 index = 0) const;
    bool HasBool(const char* name, int32 index = 0) const;
    bool HasFloat(const char* name, int32 index = 0) const;
    bool HasDouble(const char* name, int32 index = 0) const;
    bool HasString(const char* name, int32 index = 0) const;
    bool HasPointer(const char* name, int32 index = 0) const;
    bool HasRect(const char* name, int32 index = 0) const;
    bool HasPoint(const char* name, int32 index = 0) const;
    bool HasColor(const char* name, int32 index = 0) const;
    bool HasMessage(const char* name, int32 index = 0) const;
    bool HasRef(const char* name, int32 index = 0) const;
    bool HasData(const char* name, type_code type, int32 index = 0) const;

    // The value, or the default when it is missing or of another type.
    int8 GetInt8(const char* name, int8 defaultValue) const;
    int8 GetInt8(const char* name, int32 index, int8 defaultValue) const;
    int16 GetInt16(const char* name, int16 defaultValue) const;
    int16 GetInt16(const char* name, int32 index, int16 defaultValue) const;
    int32 GetInt32(const char* name, int32 defaultValue) const;
    int32 GetInt32(const char* name, int32 index, int32 defaultValue) const;
    int64 GetInt64(const char* name, int64 defaultValue) const;
    int64 GetInt64(const char* name, int32 index, int64 defaultValue) const;
    bool GetBool(const char* name, bool defaultValue = false) const;
    bool GetBool(const char* name, int32 index, bool defaultValue) const;
    float GetFloat(const char* name, float defaultValue) const;
    float GetFloat(const char* name, int32 index, float defaultValue) const;
    double GetDouble(const char* name, double defaultValue) const;
    double GetDouble(const char* name, int32 index, double defaultValue) const;
    const char* GetString(const char* name, const char* defaultValue = nullptr) const;
    const char* GetString(const char* name, int32 index, const char* defaultValue) const;
    const void* GetPointer(const char* name, const void* defaultValue = nullptr) const;
    const void* GetPointer(const char* name, int32 index, const void* defaultValue) const;
    BRect GetRect(const char* name, const BRect& defaultValue) const;
    BRect GetRect(const char* name, int32 index, const BRect& defaultValue) const;
    BPoint GetPoint(const char* name, const BPoint& defaultValue) const;
    BPoint GetPoint(const char* name, int32 index, const BPoint& defaultValue) const;
    rgb_color GetColor(const char* name, rgb_color defaultValue) const;
    rgb_color GetColor(const char* name, int32 index, rgb_color defaultValue) const;

private:
    struct Field;

    const Field* _FindField(const char* name) const;
    Field* _FindField(const char* name);
    status_t _FindValue(const char* name, type_code type, int32 index, const Field** field) const;
    Field* _FieldForAdd(const char* name, type_code type, status_t* status);
    status_t _ReplaceValue(const char* name, type_code type, int32 index, const void* data,
                           size_t numBytes);
    status_t _FindMessageField(const char* name, int32 index, const BMessage** message) const;
    void _Print(std::string& out, int indent) const;

    std::vector<Field> fFields;
    bool fWasDropped = false;
    BPoint fDropPoint;
};
