#include "kit/app/Message.h"

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <type_traits>
#include <utility>

// Every value but a nested message is kept as its byte image; strings keep
// their terminating NUL so FindString can hand out the stored bytes.
struct BMessage::Field
{
    std::string name;
    type_code type;
    std::vector<std::string> values;
    std::vector<BMessage> messages;

    int32 Count() const
    {
        return static_cast<int32>(type == B_MESSAGE_TYPE ? messages.size() : values.size());
    }
};

namespace {

// Bytes a value of a fixed-size type must have; 0 for variable sizes.
size_t fixed_size(type_code type)
{
    switch (type) {
    case B_INT8_TYPE:
        return sizeof(int8);
    case B_INT16_TYPE:
        return sizeof(int16);
    case B_INT32_TYPE:
        return sizeof(int32);
    case B_INT64_TYPE:
        return sizeof(int64);
    case B_BOOL_TYPE:
        return 1;
    case B_FLOAT_TYPE:
        return sizeof(float);
    case B_DOUBLE_TYPE:
        return sizeof(double);
    case B_POINTER_TYPE:
        return sizeof(void*);
    case B_RECT_TYPE:
        return sizeof(BRect);
    case B_POINT_TYPE:
        return sizeof(BPoint);
    case B_RGB_COLOR_TYPE:
        return sizeof(rgb_color);
    default:
        return 0;
    }
}

// Bool travels as one byte so that any stored byte reads back as a valid bool.
template <typename T>
std::string to_bytes(const T& value)
{
    static_assert(std::is_trivially_copyable_v<T>);
    if constexpr (std::is_same_v<T, bool>)
        return std::string(1, value ? '\1' : '\0');
    else
        return std::string(reinterpret_cast<const char*>(&value), sizeof(T));
}

template <typename T>
T from_bytes(const void* data)
{
    if constexpr (std::is_same_v<T, bool>) {
        return *static_cast<const uint8*>(data) != 0;
    } else {
        T value;
        std::memcpy(&value, data, sizeof(T));
        return value;
    }
}

template <typename T>
status_t find_fixed(const BMessage& message, const char* name, type_code type, int32 index,
                    T* value)
{
    if (value == nullptr)
        return B_BAD_VALUE;
    const void* data;
    ssize_t size;
    status_t status = message.FindData(name, type, index, &data, &size);
    if (status == B_OK)
        *value = from_bytes<T>(data);
    return status;
}

template <typename T>
T get_fixed(const BMessage& message, const char* name, type_code type, int32 index, T defaultValue)
{
    T value;
    return find_fixed(message, name, type, index, &value) == B_OK ? value : defaultValue;
}

template <typename T>
status_t add_fixed(BMessage& message, const char* name, type_code type, const T& value)
{
    std::string bytes = to_bytes(value);
    return message.AddData(name, type, bytes.data(), static_cast<ssize_t>(bytes.size()));
}

template <typename T>
status_t replace_fixed(BMessage& message, const char* name, type_code type, int32 index,
                       const T& value)
{
    std::string bytes = to_bytes(value);
    return message.ReplaceData(name, type, index, bytes.data(), static_cast<ssize_t>(bytes.size()));
}

std::string code_to_string(uint32 code)
{
    char text[16];
    bool printable = true;
    for (int shift = 24; shift >= 0; shift -= 8) {
        unsigned char c = static_cast<unsigned char>(code >> shift);
        printable = printable && c >= 0x20 && c < 0x7f;
    }
    if (printable) {
        std::snprintf(text, sizeof(text), "'%c%c%c%c'", char(code >> 24), char(code >> 16),
                      char(code >> 8), char(code));
    } else {
        std::snprintf(text, sizeof(text), "0x%08" PRIx32, code);
    }
    return text;
}

const char* type_name(type_code type)
{
    switch (type) {
    case B_INT8_TYPE:
        return "int8";
    case B_INT16_TYPE:
        return "int16";
    case B_INT32_TYPE:
        return "int32";
    case B_INT64_TYPE:
        return "int64";
    case B_BOOL_TYPE:
        return "bool";
    case B_FLOAT_TYPE:
        return "float";
    case B_DOUBLE_TYPE:
        return "double";
    case B_STRING_TYPE:
        return "string";
    case B_POINTER_TYPE:
        return "pointer";
    case B_RECT_TYPE:
        return "BRect";
    case B_POINT_TYPE:
        return "BPoint";
    case B_RGB_COLOR_TYPE:
        return "rgb_color";
    case B_MESSAGE_TYPE:
        return "BMessage";
    case B_REF_TYPE:
        return "entry_ref";
    default:
        return nullptr;
    }
}

std::string value_to_string(type_code type, const std::string& bytes)
{
    char text[128];
    const char* data = bytes.data();
    switch (type) {
    case B_INT8_TYPE:
        return std::to_string(from_bytes<int8>(data));
    case B_INT16_TYPE:
        return std::to_string(from_bytes<int16>(data));
    case B_INT32_TYPE:
        return std::to_string(from_bytes<int32>(data));
    case B_INT64_TYPE:
        return std::to_string(from_bytes<int64>(data));
    case B_BOOL_TYPE:
        return from_bytes<bool>(data) ? "true" : "false";
    case B_FLOAT_TYPE:
        std::snprintf(text, sizeof(text), "%g", double(from_bytes<float>(data)));
        return text;
    case B_DOUBLE_TYPE:
        std::snprintf(text, sizeof(text), "%g", from_bytes<double>(data));
        return text;
    case B_STRING_TYPE:
        return "\"" + std::string(data) + "\"";
    case B_REF_TYPE:
        return "\"" + bytes + "\"";
    case B_POINTER_TYPE:
        std::snprintf(text, sizeof(text), "%p", from_bytes<void*>(data));
        return text;
    case B_RECT_TYPE: {
        BRect r = from_bytes<BRect>(data);
        std::snprintf(text, sizeof(text), "(%g, %g, %g, %g)", double(r.left), double(r.top),
                      double(r.right), double(r.bottom));
        return text;
    }
    case B_POINT_TYPE: {
        BPoint p = from_bytes<BPoint>(data);
        std::snprintf(text, sizeof(text), "(%g, %g)", double(p.x), double(p.y));
        return text;
    }
    case B_RGB_COLOR_TYPE: {
        rgb_color c = from_bytes<rgb_color>(data);
        std::snprintf(text, sizeof(text), "(%d, %d, %d, %d)", c.red, c.green, c.blue, c.alpha);
        return text;
    }
    default:
        return std::to_string(bytes.size()) + " bytes";
    }
}

} // namespace

// MARK: Construction

BMessage::BMessage() : what(0) {}

BMessage::BMessage(uint32 what) : what(what) {}

BMessage::BMessage(const BMessage& other) = default;

BMessage::BMessage(BMessage&& other) noexcept = default;

BMessage& BMessage::operator=(const BMessage& other) = default;

BMessage& BMessage::operator=(BMessage&& other) noexcept = default;

BMessage::~BMessage() = default;

BPoint BMessage::DropPoint(BPoint* offset) const
{
    if (offset != nullptr)
        *offset = B_ORIGIN;
    return fDropPoint;
}

void BMessage::_SetDropPoint(BPoint screenWhere)
{
    fWasDropped = true;
    fDropPoint = screenWhere;
}

// MARK: Inventory

int32 BMessage::CountNames(type_code type) const
{
    if (type == B_ANY_TYPE)
        return static_cast<int32>(fFields.size());
    return static_cast<int32>(std::count_if(fFields.begin(), fFields.end(),
                                            [type](const Field& f) { return f.type == type; }));
}

bool BMessage::IsEmpty() const
{
    return fFields.empty();
}

status_t BMessage::GetInfo(const char* name, type_code* typeFound, int32* countFound) const
{
    if (name == nullptr)
        return B_BAD_VALUE;
    const Field* field = _FindField(name);
    if (field == nullptr)
        return B_NAME_NOT_FOUND;
    if (typeFound != nullptr)
        *typeFound = field->type;
    if (countFound != nullptr)
        *countFound = field->Count();
    return B_OK;
}

status_t BMessage::GetInfo(type_code type, int32 index, const char** nameFound,
                           type_code* typeFound, int32* countFound) const
{
    if (index < 0)
        return B_BAD_INDEX;
    for (const Field& field : fFields) {
        if (type != B_ANY_TYPE && field.type != type)
            continue;
        if (index-- > 0)
            continue;
        if (nameFound != nullptr)
            *nameFound = field.name.c_str();
        if (typeFound != nullptr)
            *typeFound = field.type;
        if (countFound != nullptr)
            *countFound = field.Count();
        return B_OK;
    }
    return type == B_ANY_TYPE || CountNames(type) > 0 ? B_BAD_INDEX : B_BAD_TYPE;
}

status_t BMessage::RemoveName(const char* name)
{
    if (name == nullptr)
        return B_BAD_VALUE;
    auto it = std::find_if(fFields.begin(), fFields.end(),
                           [name](const Field& f) { return f.name == name; });
    if (it == fFields.end())
        return B_NAME_NOT_FOUND;
    fFields.erase(it);
    return B_OK;
}

status_t BMessage::RemoveData(const char* name, int32 index)
{
    const Field* found;
    status_t status = _FindValue(name, B_ANY_TYPE, index, &found);
    if (status != B_OK)
        return status;
    Field* field = const_cast<Field*>(found);
    if (field->Count() == 1)
        return RemoveName(name);
    if (field->type == B_MESSAGE_TYPE)
        field->messages.erase(field->messages.begin() + index);
    else
        field->values.erase(field->values.begin() + index);
    return B_OK;
}

status_t BMessage::MakeEmpty()
{
    fFields.clear();
    return B_OK;
}

void BMessage::PrintToStream() const
{
    std::string out;
    _Print(out, 0);
    std::fputs(out.c_str(), stdout);
    std::fflush(stdout);
}

void BMessage::_Print(std::string& out, int indent) const
{
    std::string pad(indent + 4, ' ');
    out += "BMessage(" + code_to_string(what) + ") {\n";
    for (const Field& field : fFields) {
        const char* name = type_name(field.type);
        out +=
            pad + field.name + " (" + (name != nullptr ? name : code_to_string(field.type)) + "): ";
        if (field.type == B_MESSAGE_TYPE) {
            for (size_t i = 0; i < field.messages.size(); i++) {
                if (i > 0)
                    out += pad;
                field.messages[i]._Print(out, indent + 4);
            }
            continue;
        }
        for (size_t i = 0; i < field.values.size(); i++)
            out += (i > 0 ? ", " : "") + value_to_string(field.type, field.values[i]);
        out += "\n";
    }
    out += std::string(indent, ' ') + "}\n";
}

// MARK: Fields

const BMessage::Field* BMessage::_FindField(const char* name) const
{
    for (const Field& field : fFields) {
        if (field.name == name)
            return &field;
    }
    return nullptr;
}

BMessage::Field* BMessage::_FindField(const char* name)
{
    return const_cast<Field*>(std::as_const(*this)._FindField(name));
}

status_t BMessage::_FindValue(const char* name, type_code type, int32 index,
                              const Field** field) const
{
    if (name == nullptr)
        return B_BAD_VALUE;
    const Field* found = _FindField(name);
    if (found == nullptr)
        return B_NAME_NOT_FOUND;
    if (type != B_ANY_TYPE && found->type != type)
        return B_BAD_TYPE;
    if (index < 0 || index >= found->Count())
        return B_BAD_INDEX;
    *field = found;
    return B_OK;
}

BMessage::Field* BMessage::_FieldForAdd(const char* name, type_code type, status_t* status)
{
    *status = B_OK;
    if (name == nullptr || type == B_ANY_TYPE) {
        *status = B_BAD_VALUE;
        return nullptr;
    }
    if (Field* field = _FindField(name)) {
        if (field->type != type) {
            *status = B_BAD_TYPE;
            return nullptr;
        }
        return field;
    }
    fFields.push_back(Field{name, type, {}, {}});
    return &fFields.back();
}

status_t BMessage::_ReplaceValue(const char* name, type_code type, int32 index, const void* data,
                                 size_t numBytes)
{
    const Field* field;
    status_t status = _FindValue(name, type, index, &field);
    if (status != B_OK)
        return status;
    const_cast<Field*>(field)->values[index].assign(static_cast<const char*>(data), numBytes);
    return B_OK;
}

status_t BMessage::AddData(const char* name, type_code type, const void* data, ssize_t numBytes,
                           bool, int32)
{
    if (numBytes < 0 || (data == nullptr && numBytes > 0))
        return B_BAD_VALUE;
    if (type == B_MESSAGE_TYPE)
        return B_BAD_TYPE;
    size_t fixed = fixed_size(type);
    if (fixed != 0 && size_t(numBytes) != fixed)
        return B_BAD_VALUE;
    status_t status;
    Field* field = _FieldForAdd(name, type, &status);
    if (field == nullptr)
        return status;
    field->values.emplace_back(static_cast<const char*>(data), size_t(numBytes));
    return B_OK;
}

status_t BMessage::FindData(const char* name, type_code type, const void** data,
                            ssize_t* numBytes) const
{
    return FindData(name, type, 0, data, numBytes);
}

status_t BMessage::FindData(const char* name, type_code type, int32 index, const void** data,
                            ssize_t* numBytes) const
{
    if (data == nullptr)
        return B_BAD_VALUE;
    const Field* field;
    status_t status = _FindValue(name, type, index, &field);
    if (status != B_OK)
        return status;
    if (field->type == B_MESSAGE_TYPE)
        return B_BAD_TYPE;
    const std::string& bytes = field->values[index];
    *data = bytes.data();
    if (numBytes != nullptr)
        *numBytes = static_cast<ssize_t>(bytes.size());
    return B_OK;
}

status_t BMessage::ReplaceData(const char* name, type_code type, const void* data, ssize_t numBytes)
{
    return ReplaceData(name, type, 0, data, numBytes);
}

status_t BMessage::ReplaceData(const char* name, type_code type, int32 index, const void* data,
                               ssize_t numBytes)
{
    if (numBytes < 0 || (data == nullptr && numBytes > 0) || type == B_ANY_TYPE)
        return B_BAD_VALUE;
    if (type == B_MESSAGE_TYPE)
        return B_BAD_TYPE;
    size_t fixed = fixed_size(type);
    if (fixed != 0 && size_t(numBytes) != fixed)
        return B_BAD_VALUE;
    return _ReplaceValue(name, type, index, data, size_t(numBytes));
}

bool BMessage::HasData(const char* name, type_code type, int32 index) const
{
    const Field* field;
    return _FindValue(name, type, index, &field) == B_OK;
}

// MARK: Fixed-size values

#define FIXED_TYPE_MEMBERS(Name, Type, code)                                                       \
    status_t BMessage::Add##Name(const char* name, Type value)                                     \
    {                                                                                              \
        return add_fixed(*this, name, code, value);                                                \
    }                                                                                              \
    status_t BMessage::Find##Name(const char* name, Type* value) const                             \
    {                                                                                              \
        return find_fixed(*this, name, code, 0, value);                                            \
    }                                                                                              \
    status_t BMessage::Find##Name(const char* name, int32 index, Type* value) const                \
    {                                                                                              \
        return find_fixed(*this, name, code, index, value);                                        \
    }                                                                                              \
    status_t BMessage::Replace##Name(const char* name, Type value)                                 \
    {                                                                                              \
        return replace_fixed(*this, name, code, 0, value);                                         \
    }                                                                                              \
    status_t BMessage::Replace##Name(const char* name, int32 index, Type value)                    \
    {                                                                                              \
        return replace_fixed(*this, name, code, index, value);                                     \
    }                                                                                              \
    bool BMessage::Has##Name(const char* name, int32 index) const                                  \
    {                                                                                              \
        return HasData(name, code, index);                                                         \
    }

FIXED_TYPE_MEMBERS(Int8, int8, B_INT8_TYPE)
FIXED_TYPE_MEMBERS(Int16, int16, B_INT16_TYPE)
FIXED_TYPE_MEMBERS(Int32, int32, B_INT32_TYPE)
FIXED_TYPE_MEMBERS(Int64, int64, B_INT64_TYPE)
FIXED_TYPE_MEMBERS(Bool, bool, B_BOOL_TYPE)
FIXED_TYPE_MEMBERS(Float, float, B_FLOAT_TYPE)
FIXED_TYPE_MEMBERS(Double, double, B_DOUBLE_TYPE)
FIXED_TYPE_MEMBERS(Rect, BRect, B_RECT_TYPE)
FIXED_TYPE_MEMBERS(Point, BPoint, B_POINT_TYPE)
FIXED_TYPE_MEMBERS(Color, rgb_color, B_RGB_COLOR_TYPE)

#undef FIXED_TYPE_MEMBERS

#define GET_MEMBERS(Name, Type, ArgType, code)                                                     \
    Type BMessage::Get##Name(const char* name, ArgType defaultValue) const                         \
    {                                                                                              \
        return get_fixed<Type>(*this, name, code, 0, defaultValue);                                \
    }                                                                                              \
    Type BMessage::Get##Name(const char* name, int32 index, ArgType defaultValue) const            \
    {                                                                                              \
        return get_fixed<Type>(*this, name, code, index, defaultValue);                            \
    }

GET_MEMBERS(Int8, int8, int8, B_INT8_TYPE)
GET_MEMBERS(Int16, int16, int16, B_INT16_TYPE)
GET_MEMBERS(Int32, int32, int32, B_INT32_TYPE)
GET_MEMBERS(Int64, int64, int64, B_INT64_TYPE)
GET_MEMBERS(Bool, bool, bool, B_BOOL_TYPE)
GET_MEMBERS(Float, float, float, B_FLOAT_TYPE)
GET_MEMBERS(Double, double, double, B_DOUBLE_TYPE)
GET_MEMBERS(Rect, BRect, const BRect&, B_RECT_TYPE)
GET_MEMBERS(Point, BPoint, const BPoint&, B_POINT_TYPE)
GET_MEMBERS(Color, rgb_color, rgb_color, B_RGB_COLOR_TYPE)

#undef GET_MEMBERS

// MARK: Pointers

status_t BMessage::AddPointer(const char* name, const void* pointer)
{
    return add_fixed(*this, name, B_POINTER_TYPE, pointer);
}

status_t BMessage::FindPointer(const char* name, void** pointer) const
{
    return find_fixed(*this, name, B_POINTER_TYPE, 0, pointer);
}

status_t BMessage::FindPointer(const char* name, int32 index, void** pointer) const
{
    return find_fixed(*this, name, B_POINTER_TYPE, index, pointer);
}

status_t BMessage::ReplacePointer(const char* name, const void* pointer)
{
    return replace_fixed(*this, name, B_POINTER_TYPE, 0, pointer);
}

status_t BMessage::ReplacePointer(const char* name, int32 index, const void* pointer)
{
    return replace_fixed(*this, name, B_POINTER_TYPE, index, pointer);
}

bool BMessage::HasPointer(const char* name, int32 index) const
{
    return HasData(name, B_POINTER_TYPE, index);
}

const void* BMessage::GetPointer(const char* name, const void* defaultValue) const
{
    return GetPointer(name, 0, defaultValue);
}

const void* BMessage::GetPointer(const char* name, int32 index, const void* defaultValue) const
{
    return get_fixed<const void*>(*this, name, B_POINTER_TYPE, index, defaultValue);
}

// MARK: Strings

status_t BMessage::AddString(const char* name, const char* string)
{
    if (string == nullptr)
        return B_BAD_VALUE;
    return AddData(name, B_STRING_TYPE, string, static_cast<ssize_t>(std::strlen(string) + 1));
}

status_t BMessage::AddString(const char* name, const std::string& string)
{
    return AddData(name, B_STRING_TYPE, string.c_str(), static_cast<ssize_t>(string.size() + 1));
}

status_t BMessage::FindString(const char* name, const char** string) const
{
    return FindString(name, 0, string);
}

status_t BMessage::FindString(const char* name, int32 index, const char** string) const
{
    if (string == nullptr)
        return B_BAD_VALUE;
    const void* data;
    status_t status = FindData(name, B_STRING_TYPE, index, &data, nullptr);
    if (status == B_OK)
        *string = static_cast<const char*>(data);
    return status;
}

status_t BMessage::FindString(const char* name, std::string* string) const
{
    return FindString(name, 0, string);
}

status_t BMessage::FindString(const char* name, int32 index, std::string* string) const
{
    if (string == nullptr)
        return B_BAD_VALUE;
    const char* text;
    status_t status = FindString(name, index, &text);
    if (status == B_OK)
        string->assign(text);
    return status;
}

status_t BMessage::ReplaceString(const char* name, const char* string)
{
    return ReplaceString(name, 0, string);
}

status_t BMessage::ReplaceString(const char* name, int32 index, const char* string)
{
    if (string == nullptr)
        return B_BAD_VALUE;
    return _ReplaceValue(name, B_STRING_TYPE, index, string, std::strlen(string) + 1);
}

status_t BMessage::ReplaceString(const char* name, const std::string& string)
{
    return ReplaceString(name, 0, string);
}

status_t BMessage::ReplaceString(const char* name, int32 index, const std::string& string)
{
    return _ReplaceValue(name, B_STRING_TYPE, index, string.c_str(), string.size() + 1);
}

bool BMessage::HasString(const char* name, int32 index) const
{
    return HasData(name, B_STRING_TYPE, index);
}

const char* BMessage::GetString(const char* name, const char* defaultValue) const
{
    return GetString(name, 0, defaultValue);
}

const char* BMessage::GetString(const char* name, int32 index, const char* defaultValue) const
{
    const char* string;
    return FindString(name, index, &string) == B_OK ? string : defaultValue;
}

// MARK: References

status_t BMessage::AddRef(const char* name, const entry_ref* ref)
{
    if (ref == nullptr)
        return B_BAD_VALUE;
    return AddData(name, B_REF_TYPE, ref->path.data(), static_cast<ssize_t>(ref->path.size()));
}

status_t BMessage::FindRef(const char* name, entry_ref* ref) const
{
    return FindRef(name, 0, ref);
}

status_t BMessage::FindRef(const char* name, int32 index, entry_ref* ref) const
{
    if (ref == nullptr)
        return B_BAD_VALUE;
    const void* data;
    ssize_t size;
    status_t status = FindData(name, B_REF_TYPE, index, &data, &size);
    if (status == B_OK)
        ref->path.assign(static_cast<const char*>(data), size_t(size));
    return status;
}

status_t BMessage::ReplaceRef(const char* name, const entry_ref* ref)
{
    return ReplaceRef(name, 0, ref);
}

status_t BMessage::ReplaceRef(const char* name, int32 index, const entry_ref* ref)
{
    if (ref == nullptr)
        return B_BAD_VALUE;
    return _ReplaceValue(name, B_REF_TYPE, index, ref->path.data(), ref->path.size());
}

bool BMessage::HasRef(const char* name, int32 index) const
{
    return HasData(name, B_REF_TYPE, index);
}

// MARK: Nested messages

status_t BMessage::AddMessage(const char* name, const BMessage* message)
{
    if (message == nullptr)
        return B_BAD_VALUE;
    // Copy first: the message may be this one or live inside it.
    BMessage copy(*message);
    status_t status;
    Field* field = _FieldForAdd(name, B_MESSAGE_TYPE, &status);
    if (field == nullptr)
        return status;
    field->messages.push_back(std::move(copy));
    return B_OK;
}

status_t BMessage::_FindMessageField(const char* name, int32 index, const BMessage** message) const
{
    const Field* field;
    status_t status = _FindValue(name, B_MESSAGE_TYPE, index, &field);
    if (status == B_OK)
        *message = &field->messages[index];
    return status;
}

status_t BMessage::FindMessage(const char* name, BMessage* message) const
{
    return FindMessage(name, 0, message);
}

status_t BMessage::FindMessage(const char* name, int32 index, BMessage* message) const
{
    if (message == nullptr)
        return B_BAD_VALUE;
    const BMessage* found;
    status_t status = _FindMessageField(name, index, &found);
    if (status == B_OK && found != message)
        *message = BMessage(*found);
    return status;
}

status_t BMessage::ReplaceMessage(const char* name, const BMessage* message)
{
    return ReplaceMessage(name, 0, message);
}

status_t BMessage::ReplaceMessage(const char* name, int32 index, const BMessage* message)
{
    if (message == nullptr)
        return B_BAD_VALUE;
    const BMessage* found;
    status_t status = _FindMessageField(name, index, &found);
    if (status == B_OK)
        *const_cast<BMessage*>(found) = BMessage(*message);
    return status;
}

bool BMessage::HasMessage(const char* name, int32 index) const
{
    return HasData(name, B_MESSAGE_TYPE, index);
}
