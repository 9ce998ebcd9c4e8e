// The widget gallery's sections. Each family of widgets fills one section
// from a source file of its own, registered with a static GallerySection:
//
//   static GallerySection sButtons(10, "Buttons", 300, 110, fill_buttons);
//
// The window lays the sections out by their order, in rows.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "kit/interface/View.h"

struct GallerySection
{
    typedef void (*Fill)(BView* area);

    // area is the section's inside, width x height pixels, with its own
    // coordinates from (0, 0).
    GallerySection(int order, const char* title, float width, float height, Fill fill);

    int order;
    const char* title;
    float width;
    float height;
    Fill fill;

    // Every registered section, by order.
    static std::vector<const GallerySection*> All();
};

// One line on standard output for what the user did.
void GallerySay(const std::string& line);
