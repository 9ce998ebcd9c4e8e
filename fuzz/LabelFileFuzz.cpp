// Arbitrary bytes as the label file: every section is read, no array gets
// more entries than it holds, and the headings are pieces of the input.
#include <stdlib.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "app/STLabel.h"
#include "app/Settings.h"

namespace {

const LabelArray* const kArrays[] = {&butlab, &w_labs, &pb_lab, &o_stat, &o_typ,  &o_labs,
                                     &c_mons, &c_over, &wdaysn, &calmnu, &calbut, &pretxt,
                                     &htmtxt, &templn, &tmomnu, &usrmnu, &colvec};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string path =
        WriteFuzzFile(FuzzProgramFolder() + "/templates", "language.html", data, size);
    prefsdata = prefsdata | VTa_USE_LANGUAGE;
    STLabel* label = STLabel::getSTLabel();
    label->Reload();

    for (const LabelArray* array : kArrays) {
        const int32 count = label->SectionCount(*array);
        if (count < 0 || count > array->CountItems())
            abort();
        if (STLabel::getLabel(*array, array->CountItems()) != "-nf-")
            abort();
        for (int32 i = 0; i < array->CountItems(); i++) {
            if (i >= count && STLabel::getLabel(*array, i) != array->BuiltInAt(i))
                abort();
            if (i < count && STLabel::getLabel(*array, i).size() > 511)
                abort();
        }
    }
    const std::string input(reinterpret_cast<const char*>(data), size);
    for (const std::string& heading : {label->StatusHeading(), label->TypeHeading()}) {
        if (heading != "-missing-" && input.find(heading) == std::string::npos)
            abort();
    }

    LabelArray scratch{"a", "b", "c"};
    std::string heading;
    if (STLabel::GetNamesFromTable(path, "#TYP#", scratch, heading) > scratch.CountItems())
        abort();
    return 0;
}
