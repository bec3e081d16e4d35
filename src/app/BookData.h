#pragma once
#include <string>
// Constants the program and the sample book generator share.

// The five section titles: volume and part in words with a subtitle, in section order.
inline constexpr const char *SectionTitles[5] = {
    "جلد اول: از آغاز تا برآمدن ساسانيان",
    "جلد دوم، بخش يكم: روزگار ساسانيان",
    "جلد دوم، بخش دوم: از اسلام تا سامانيان",
    "جلد سوم، بخش يكم: غزنويان و سلجوقيان",
    "جلد سوم، بخش دوم: از مغول تا صفويان",
};

// The gallery's 39 items: first figure number of the item and the page it stands on.
// Item 30 holds figures 31 and 32.
struct TGalleryFigure {
    int Figure;
    int Page;
};
inline constexpr TGalleryFigure GalleryFigures[39] = {
    {1, 2144}, {2, 2145}, {3, 2241}, {4, 2263}, {5, 2291}, {6, 2292}, {7, 2599}, {8, 2600},
    {9, 2608}, {10, 2761}, {11, 2782}, {12, 2783}, {13, 2823}, {14, 2824}, {15, 2847}, {16, 2848},
    {17, 2899}, {18, 2900}, {19, 2901}, {20, 2933}, {21, 2970}, {22, 2991}, {23, 3355}, {24, 3399},
    {25, 3560}, {26, 3664}, {27, 3677}, {28, 3678}, {29, 3691}, {30, 3692}, {31, 3693}, {33, 3721},
    {34, 3743}, {35, 3744}, {36, 3759}, {37, 3760}, {38, 3779}, {39, 3791}, {40, 3835},
};

// Captions of the book's figures 1..40: a kind of drawing and its subject.
inline constexpr const char *FigureKindWords[5] = {"نقشه", "نماي", "نقش", "نمودار", "طرح"};
inline constexpr const char *FigureSubjects[10] = {
    "كاخ و باغ شاهي",  "راه‌هاي بازرگاني",   "مسجد جامع",   "دروازه شهر",   "كاروانسراي كهن",
    "آتشكده و پيرامون", "سكه‌هاي روزگار",     "بناي آرامگاه", "قلعه كوهستاني", "بازار سرپوشيده",
};
inline std::string FigureCaption(int figure)
{
    return std::string(FigureKindWords[(figure - 1) % 5]) + " " + FigureSubjects[(figure * 3) % 10];
}
