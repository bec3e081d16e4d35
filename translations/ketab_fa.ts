<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fa_IR">
<context>
    <name>StrToInt</name>
    <message>
        <source>&apos;%1&apos; is not a valid integer value</source>
        <translation>«%1» عددی درست نيست</translation>
    </message>
</context>
<context>
    <name>TBitmap32</name>
    <message>
        <source>The picture file &quot;%1&quot; does not exist.</source>
        <translation>پروندهٔ تصوير «⁦%1⁩» وجود ندارد.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a picture file.</source>
        <translation>«⁦%1⁩» پروندهٔ تصوير نيست.</translation>
    </message>
    <message>
        <source>Cannot read the picture &quot;%1&quot;: unknown picture file extension.</source>
        <translation>تصوير «⁦%1⁩» خوانده نشد: پسوند پرونده از پسوندهای تصوير نيست.</translation>
    </message>
    <message>
        <source>Cannot read the picture &quot;%1&quot;: %2 x %3 pixels is too large.</source>
        <translation>تصوير «⁦%1⁩» خوانده نشد: %2 × %3 نقطه بيش از اندازه بزرگ است.</translation>
    </message>
    <message>
        <source>Cannot read the picture &quot;%1&quot;: %2.</source>
        <translation>تصوير «⁦%1⁩» خوانده نشد: %2.</translation>
    </message>
</context>
<context>
    <name>THtmlEngineModule</name>
    <message>
        <source>The HTML view cannot show pages: its module &quot;%1&quot; was not found in %2.</source>
        <translation>صفحه‌ها نمايش داده نمی‌شوند: بخش نمايش صفحه‌ها («⁦%1⁩») در ⁦%2⁩ پيدا نشد.</translation>
    </message>
    <message>
        <source>The HTML view cannot show pages: its module &quot;%1&quot; cannot be loaded (%2).</source>
        <translation>صفحه‌ها نمايش داده نمی‌شوند: بخش نمايش صفحه‌ها («⁦%1⁩») بار نشد (%2).</translation>
    </message>
    <message>
        <source>not an HTML view module</source>
        <translation>اين پرونده بخش نمايش صفحه‌ها نيست</translation>
    </message>
</context>
<context>
    <name>TJpegReader</name>
    <message>
        <source>Cannot read the picture &quot;%1&quot;: %2.</source>
        <translation>تصوير «⁦%1⁩» خوانده نشد: %2.</translation>
    </message>
    <message>
        <source>the file is empty</source>
        <translation>پرونده خالی است</translation>
    </message>
    <message>
        <source>Cannot read the picture &quot;%1&quot;: %2 x %3 pixels is too large.</source>
        <translation>تصوير «⁦%1⁩» خوانده نشد: %2 × %3 نقطه بيش از اندازه بزرگ است.</translation>
    </message>
</context>
<context>
    <name>TKetabApplication</name>
    <message>
        <source>Unknown error</source>
        <translation>خطای ناشناخته</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>خطا</translation>
    </message>
</context>
<context>
    <name>TLayoutOptions</name>
    <message>
        <source>Line spacing</source>
        <translation>فاصله سطرها</translation>
    </message>
    <message>
        <source>Tight</source>
        <translation>فشرده</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>معمولی</translation>
    </message>
    <message>
        <source>Wide</source>
        <translation>باز</translation>
    </message>
    <message>
        <source>Text width</source>
        <translation>پهنای متن</translation>
    </message>
    <message>
        <source>Narrow</source>
        <translation>باريك</translation>
    </message>
    <message>
        <source>Medium</source>
        <translation>متوسط</translation>
    </message>
    <message>
        <source>Full</source>
        <translation>تمام صفحه</translation>
    </message>
    <message>
        <source>The book&apos;s</source>
        <translation>قلم كتاب</translation>
    </message>
    <message>
        <source>Typeface</source>
        <translation>قلم</translation>
    </message>
    <message>
        <source>Justified</source>
        <translation>تراز دو طرفه</translation>
    </message>
</context>
<context>
    <name>TMainForm</name>
    <message>
        <source>There is no section %1 in the book</source>
        <translation>كتاب بخش %1 ندارد</translation>
    </message>
    <message>
        <source>The notes entry &quot;%1&quot; names no section of the book</source>
        <translation>يادداشت «%1» بخشی از كتاب را نام نمی‌برد</translation>
    </message>
    <message>
        <source>The notes entry &quot;%1&quot; names page %2, which is not in section %3 of the book</source>
        <translation>يادداشت «%1» صفحهٔ %2 را نام می‌برد كه در بخش %3 كتاب نيست</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>برگشت</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>جلو</translation>
    </message>
    <message>
        <source>Marks</source>
        <translation>علامت‌ها</translation>
    </message>
</context>
<context>
    <name>TMarkExport</name>
    <message>
        <source>Marks and notes</source>
        <translation>علامت‌ها و يادداشت‌ها</translation>
    </message>
    <message>
        <source>The file is not JSON (%1 at byte %2); nothing was imported.</source>
        <translation>پرونده JSON نيست (%1 در بايت %2)؛ چيزی وارد نشد.</translation>
    </message>
    <message>
        <source>The marks file cannot be read (%1); nothing was imported.</source>
        <translation>پروندهٔ علامت‌ها خوانده نمی‌شود (%1)؛ چيزی وارد نشد.</translation>
    </message>
    <message>
        <source>The file holds no marks of this book: it is neither web annotations of the book&apos;s pages nor a marks file of this program; nothing was imported.</source>
        <translation>در اين پرونده علامتی از اين كتاب نيست: نه حاشيه‌نويسی وب بر صفحه‌های كتاب است و نه پروندهٔ علامت‌های اين برنامه؛ چيزی وارد نشد.</translation>
    </message>
</context>
<context>
    <name>TMarkNoteEditor</name>
    <message>
        <source>Note on the mark</source>
        <translation>یادداشت علامت</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>یادداشت</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>ذخیره</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>انصراف</translation>
    </message>
</context>
<context>
    <name>TMarkStore</name>
    <message>
        <source>The marks file %1 cannot be read; marks made now will not be kept.</source>
        <translation>پروندهٔ علامت‌ها ⁦%1⁩ خوانده نمی‌شود؛ علامت‌هايی كه اكنون گذاشته شوند نگه داشته نمی‌شوند.</translation>
    </message>
    <message>
        <source>The marks file %1 was damaged or not this book&apos;s; it was moved to %2 and the list of marks starts empty. Once mended, it can be imported back.</source>
        <translation>پروندهٔ علامت‌ها ⁦%1⁩ آسيب ديده بود يا از آنِ اين كتاب نبود؛ به ⁦%2⁩ برده شد و فهرست علامت‌ها خالی آغاز می‌شود. پس از درست شدن، می‌توان آن را دوباره وارد كرد.</translation>
    </message>
    <message>
        <source>The marks file %1 is damaged and cannot be moved aside; marks made now will not be kept.</source>
        <translation>پروندهٔ علامت‌ها ⁦%1⁩ آسيب ديده است و نمی‌توان آن را كنار گذاشت؛ علامت‌هايی كه اكنون گذاشته شوند نگه داشته نمی‌شوند.</translation>
    </message>
    <message>
        <source>The folder %1 cannot be written; marks made now will not be kept.</source>
        <translation>در پوشهٔ ⁦%1⁩ نمی‌توان نوشت؛ علامت‌هايی كه اكنون گذاشته شوند نگه داشته نمی‌شوند.</translation>
    </message>
    <message>
        <source>The marks could not be saved in %1.</source>
        <translation>علامت‌ها در ⁦%1⁩ ذخيره نشدند.</translation>
    </message>
    <message>
        <source>The marks could not be saved in %1: %2</source>
        <translation>علامت‌ها در ⁦%1⁩ ذخيره نشدند: %2</translation>
    </message>
</context>
<context>
    <name>TMarkStyle</name>
    <message>
        <source>yellow</source>
        <translation>زرد</translation>
    </message>
    <message>
        <source>green</source>
        <translation>سبز</translation>
    </message>
    <message>
        <source>blue</source>
        <translation>آبی</translation>
    </message>
    <message>
        <source>pink</source>
        <translation>صورتی</translation>
    </message>
    <message>
        <source>underline</source>
        <translation>زيرخط</translation>
    </message>
</context>
<context>
    <name>TMarksList</name>
    <message>
        <source>page %1</source>
        <translation>صفحه %1</translation>
    </message>
    <message>
        <source>not found on this page</source>
        <translation>در این صفحه یافت نشد</translation>
    </message>
</context>
<context>
    <name>TMarksPanel</name>
    <message>
        <source>Find in the marks</source>
        <translation>جستجو در علامت‌ها</translation>
    </message>
    <message>
        <source>Colour of the marks listed</source>
        <translation>رنگ علامت‌های فهرست</translation>
    </message>
    <message>
        <source>All colours</source>
        <translation>همه رنگ‌ها</translation>
    </message>
    <message>
        <source>Marks</source>
        <translation>علامت‌ها</translation>
    </message>
    <message>
        <source>Go to</source>
        <translation>رجوع</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>حذف</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>برون‌بری</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>درون‌بری</translation>
    </message>
    <message>
        <source>Web Annotation (JSON-LD)</source>
        <translation>یادداشت وب (JSON-LD)</translation>
    </message>
</context>
<context>
    <name>TMarksTransfer</name>
    <message>
        <source>There are no marks to export.</source>
        <translation>علامتی برای برون‌بری نیست.</translation>
    </message>
    <message>
        <source>Markdown (*.md)</source>
        <translation>مارک‌داون (*.md)</translation>
    </message>
    <message>
        <source>HTML (*.html)</source>
        <translation>HTML (*.html)</translation>
    </message>
    <message>
        <source>Web Annotation (*.jsonld)</source>
        <translation>یادداشت وب (*.jsonld)</translation>
    </message>
    <message>
        <source>The marks could not be written to %1: %2</source>
        <translation>علامت‌ها در %1 نوشته نشد: %2</translation>
    </message>
    <message>
        <source>Web Annotation (*.jsonld *.json)</source>
        <translation>یادداشت وب (*.jsonld *.json)</translation>
    </message>
    <message>
        <source>%1 is too large to be a file of marks; nothing was changed.</source>
        <translation>%1 بزرگ‌تر از آن است که پرونده علامت‌ها باشد؛ چیزی تغییر نکرد.</translation>
    </message>
    <message>
        <source>%1 could not be read: %2</source>
        <translation>%1 خوانده نشد: %2</translation>
    </message>
    <message>
        <source>%1 holds no marks that can be brought in: %2 Nothing was changed.</source>
        <translation>در %1 علامتی برای درون‌بری نیست: %2 چیزی تغییر نکرد.</translation>
    </message>
    <message>
        <source>Marks brought in: %1.</source>
        <translation>علامت‌های درون‌بری شده: %1.</translation>
    </message>
    <message>
        <source>Passages not found on their pages, their marks kept: %1.</source>
        <translation>پاره‌متن‌هایی که در صفحه‌های خود یافت نشدند و علامت‌هایشان نگه داشته شد: %1.</translation>
    </message>
    <message>
        <source>Annotations of other pages or without a quote, passed over: %1.</source>
        <translation>یادداشت‌های وبِ صفحه‌های دیگر یا بی‌نقل‌قول که کنار گذاشته شدند: %1.</translation>
    </message>
</context>
<context>
    <name>TNoteEntry</name>
    <message>
        <source>&apos;%1&apos; is not a valid integer value (notes entry &quot;%2&quot;)</source>
        <translation>«%1» عددی درست نيست (يادداشت «%2»)</translation>
    </message>
</context>
<context>
    <name>TNotesFile</name>
    <message>
        <source>The file &quot;%1&quot; is not a notes file.</source>
        <translation>پروندهٔ «⁦%1⁩» پروندهٔ يادداشت نيست.</translation>
    </message>
</context>
<context>
    <name>TNotesList</name>
    <message>
        <source>The file &quot;%1&quot; already exists. Do you want to replace it?</source>
        <translation>پروندهٔ «⁦%1⁩» از پيش هست. جايگزين شود؟</translation>
    </message>
</context>
<context>
    <name>TOptionsPanel</name>
    <message>
        <source>Pages of options</source>
        <translation>صفحه‌های تنظيمات</translation>
    </message>
    <message>
        <source>General</source>
        <translation>عمومی</translation>
    </message>
    <message>
        <source>Page layout</source>
        <translation>صفحه‌آرايی</translation>
    </message>
</context>
<context>
    <name>TPdfCutter</name>
    <message>
        <source>Cannot write the PDF file &quot;%1&quot;.</source>
        <translation>پروندهٔ PDF «⁦%1⁩» نوشته نشد.</translation>
    </message>
    <message>
        <source>None of the chosen pages is in the document; its pages are 1 - %1.</source>
        <translation>هيچ‌يك از صفحه‌های برگزيده در سند نيست؛ صفحه‌های آن 1 - %1 است.</translation>
    </message>
</context>
<context>
    <name>TPdfPreviewDialog</name>
    <message>
        <source>Pages to print</source>
        <translation>صفحه‌های چاپ</translation>
    </message>
    <message>
        <source>Pages: %1</source>
        <translation>صفحه‌ها: %1</translation>
    </message>
    <message>
        <source>The other pages are being prepared...</source>
        <translation>صفحه‌های ديگر آماده می‌شوند...</translation>
    </message>
</context>
<context>
    <name>TPictureList</name>
    <message>
        <source>The picture list &quot;%1&quot; has no line for picture %2.</source>
        <translation>فهرست تصاوير «⁦%1⁩» سطری برای تصوير %2 ندارد.</translation>
    </message>
    <message>
        <source>The picture list &quot;%1&quot; names no picture file for picture %2: &quot;%3&quot;.</source>
        <translation>فهرست تصاوير «⁦%1⁩» برای تصوير %2 پرونده‌ای نام نمی‌برد: «%3».</translation>
    </message>
</context>
<context>
    <name>TPreviewForm</name>
    <message>
        <source>Preparing the print...</source>
        <translation>چاپ آماده می‌شود...</translation>
    </message>
</context>
<context>
    <name>TPrintForm</name>
    <message>
        <source>The chosen pages hold no page of this section; its pages are %1 - %2.</source>
        <translation>صفحه‌ای از اين بخش در اين بازه نيست (%1 - %2).</translation>
    </message>
</context>
<context>
    <name>TPrintJobs</name>
    <message>
        <source>A print of this page is already running.</source>
        <translation>چاپ اين صفحه هم‌اكنون در جريان است.</translation>
    </message>
    <message>
        <source>The print preview could not be prepared in &quot;%1&quot;.</source>
        <translation>پيش‌نمايش چاپ در «⁦%1⁩» آماده نشد.</translation>
    </message>
    <message>
        <source>Cannot write the PDF file &quot;%1&quot;.</source>
        <translation>پروندهٔ PDF «⁦%1⁩» نوشته نشد.</translation>
    </message>
    <message>
        <source>The page could not be printed.</source>
        <translation>صفحه چاپ نشد.</translation>
    </message>
</context>
<context>
    <name>TReadAloud</name>
    <message>
        <source>Starting the speech service…</source>
        <translation>در حال راه‌اندازی سرویس گفتار…</translation>
    </message>
    <message>
        <source>Reading stopped: the speech service does not answer.</source>
        <translation>خواندن متوقف شد: سرویس گفتار پاسخ نمی‌دهد.</translation>
    </message>
    <message>
        <source>There is nothing to read on this page.</source>
        <translation>در این صفحه متنی برای خواندن نیست.</translation>
    </message>
    <message>
        <source>Install the package qt6-speech-speechd-plugin to read aloud.</source>
        <translation>برای خواندن با صدا بستهٔ qt6-speech-speechd-plugin را نصب کنید.</translation>
    </message>
    <message>
        <source>Install the package speech-dispatcher: the speech service does not run.</source>
        <translation>بستهٔ speech-dispatcher را نصب کنید: سرویس گفتار اجرا نمی‌شود.</translation>
    </message>
    <message>
        <source>Install the package speech-dispatcher-espeak-ng: the speech service has no voice.</source>
        <translation>بستهٔ speech-dispatcher-espeak-ng را نصب کنید: سرویس گفتار صدایی ندارد.</translation>
    </message>
    <message>
        <source>Install the packages espeak-ng-data and speech-dispatcher-espeak-ng: there is no Persian voice.</source>
        <translation>بسته‌های espeak-ng-data و speech-dispatcher-espeak-ng را نصب کنید: صدای فارسی نیست.</translation>
    </message>
    <message>
        <source>Reading stopped: the speech service has ended.</source>
        <translation>خواندن متوقف شد: سرویس گفتار از کار افتاد.</translation>
    </message>
</context>
<context>
    <name>TReadAloudControl</name>
    <message>
        <source>Read aloud from here</source>
        <translation>خواندن با صدا از اینجا</translation>
    </message>
    <message>
        <source>Stop reading aloud</source>
        <translation>توقف خواندن با صدا</translation>
    </message>
    <message>
        <source>Read aloud</source>
        <translation>خواندن با صدا</translation>
    </message>
    <message>
        <source>Pause reading aloud</source>
        <translation>مکث خواندن با صدا</translation>
    </message>
    <message>
        <source>Resume reading aloud</source>
        <translation>ادامهٔ خواندن با صدا</translation>
    </message>
</context>
<context>
    <name>TReaderMarks</name>
    <message>
        <source>Copy with citation</source>
        <translation>کپی با نشانی منبع</translation>
    </message>
    <message>
        <source>Underline</source>
        <translation>خط زیر متن</translation>
    </message>
    <message>
        <source>Mark in %1</source>
        <translation>علامت %1</translation>
    </message>
    <message>
        <source>Change colour</source>
        <translation>تغییر رنگ</translation>
    </message>
    <message>
        <source>Write a note...</source>
        <translation>نوشتن یادداشت...</translation>
    </message>
    <message>
        <source>Edit the note...</source>
        <translation>ویرایش یادداشت...</translation>
    </message>
    <message>
        <source>Remove the mark</source>
        <translation>حذف علامت</translation>
    </message>
    <message>
        <source>Mark with a note...</source>
        <translation>علامت با یادداشت...</translation>
    </message>
</context>
<context>
    <name>TReadingPace</name>
    <message>
        <source>less than a minute</source>
        <translation>کمتر از یک دقیقه</translation>
    </message>
    <message>
        <source>about %1 minutes</source>
        <translation>حدود %1 دقیقه</translation>
    </message>
    <message>
        <source>about %1 hours</source>
        <translation>حدود %1 ساعت</translation>
    </message>
    <message>
        <source>about %1 hours and %2 minutes</source>
        <translation>حدود %1 ساعت و %2 دقیقه</translation>
    </message>
    <message>
        <source>Page %1 of %2 · %3% of this section · %4% of the book · %5 to the end of the section</source>
        <extracomment>The place in the book under the status line: &quot;صفحه 835 از 1312 · 13٪ از این بخش · ...&quot;</extracomment>
        <translation>صفحه %1 از %2 · %3٪ از این بخش · %4٪ از کتاب · %5 تا پایان بخش</translation>
    </message>
</context>
<context>
    <name>TReadingProgress</name>
    <message>
        <source>Where you are</source>
        <translation>جای شما در کتاب</translation>
    </message>
    <message>
        <source>Place in the section</source>
        <translation>جای صفحه در بخش</translation>
    </message>
    <message>
        <source>Place in the book</source>
        <translation>جای صفحه در کتاب</translation>
    </message>
</context>
<context>
    <name>TRegularFile</name>
    <message>
        <source>Cannot open file &quot;%1&quot;. %2</source>
        <translation>پروندهٔ «⁦%1⁩» باز نشد. %2</translation>
    </message>
    <message>
        <source>Cannot open file &quot;%1&quot;. It is not a regular file.</source>
        <translation>پروندهٔ «⁦%1⁩» باز نشد. پرونده‌ای معمولی نيست.</translation>
    </message>
    <message>
        <source>Cannot read file &quot;%1&quot;. It is too large (%2 bytes).</source>
        <translation>پروندهٔ «⁦%1⁩» خوانده نشد. بيش از اندازه بزرگ است (%2 بايت).</translation>
    </message>
    <message>
        <source>Cannot read file &quot;%1&quot;. %2</source>
        <translation>پروندهٔ «⁦%1⁩» خوانده نشد. %2</translation>
    </message>
    <message>
        <source>Cannot read file &quot;%1&quot;. It is too large.</source>
        <translation>پروندهٔ «⁦%1⁩» خوانده نشد. بيش از اندازه بزرگ است.</translation>
    </message>
    <message>
        <source>Cannot open file &quot;%1&quot;. No such file or directory</source>
        <translation>پروندهٔ «⁦%1⁩» باز نشد. چنين پرونده يا پوشه‌ای نيست.</translation>
    </message>
    <message>
        <source>Cannot create file &quot;%1&quot;. %2</source>
        <translation>پروندهٔ «⁦%1⁩» ساخته نشد. %2</translation>
    </message>
    <message>
        <source>Cannot write file &quot;%1&quot;. %2</source>
        <translation>پروندهٔ «⁦%1⁩» نوشته نشد. %2</translation>
    </message>
</context>
<context>
    <name>TSearchForm</name>
    <message>
        <source>Page %1 cannot be read.</source>
        <translation>صفحهٔ %1 خوانده نشد.</translation>
    </message>
    <message>
        <source>Recent searches</source>
        <translation>جستجوهای اخير</translation>
    </message>
    <message>
        <source>Clear recent searches</source>
        <translation>پاك كردن جستجوهای اخير</translation>
    </message>
</context>
<context>
    <name>TSettingsStore</name>
    <message>
        <source>ketab: %1 is damaged; the defaults are used instead.</source>
        <translation>ketab: ⁦%1⁩ آسيب ديده است؛ به جای آن پيش‌فرض‌ها به كار می‌روند.</translation>
    </message>
</context>
<context>
    <name>TSpeechModule</name>
    <message>
        <source>Reading aloud is not possible: the program&apos;s speech module &quot;%1&quot; is missing. Install the program again.</source>
        <translation>خواندن با صدا ممکن نیست: پیمانهٔ گفتار برنامه «%1» نیست. برنامه را دوباره نصب کنید.</translation>
    </message>
    <message>
        <source>Reading aloud is not possible: the speech module &quot;%1&quot; cannot be loaded (%2).</source>
        <translation>خواندن با صدا ممکن نیست: پیمانهٔ گفتار «%1» بار نمی‌شود (%2).</translation>
    </message>
    <message>
        <source>not a speech module</source>
        <translation>پیمانهٔ گفتار نیست</translation>
    </message>
</context>
<context>
    <name>TSpeechNote</name>
    <message>
        <source>Reading aloud</source>
        <translation>خواندن با صدا</translation>
    </message>
</context>
<context>
    <name>TSpeechOptions</name>
    <message>
        <source>Reading pace</source>
        <translation>سرعت خواندن</translation>
    </message>
    <message>
        <source>Very slow</source>
        <translation>بسیار آهسته</translation>
    </message>
    <message>
        <source>Slow</source>
        <translation>آهسته</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>عادی</translation>
    </message>
    <message>
        <source>Fast</source>
        <translation>تند</translation>
    </message>
    <message>
        <source>Very fast</source>
        <translation>بسیار تند</translation>
    </message>
    <message>
        <source>Reading voice</source>
        <translation>صدای خواننده</translation>
    </message>
</context>
<context>
    <name>TUserTempFolder</name>
    <message>
        <source>Cannot create the temporary folder %1: %2</source>
        <translation>پوشهٔ موقت ⁦%1⁩ ساخته نشد: %2</translation>
    </message>
    <message>
        <source>Cannot read the temporary folder %1</source>
        <translation>پوشهٔ موقت ⁦%1⁩ خوانده نشد</translation>
    </message>
    <message>
        <source>The temporary folder %1 is not a private folder of this user</source>
        <translation>پوشهٔ موقت ⁦%1⁩ پوشهٔ خصوصی اين كاربر نيست</translation>
    </message>
    <message>
        <source>Cannot make the temporary folder %1 private</source>
        <translation>پوشهٔ موقت ⁦%1⁩ خصوصی نشد</translation>
    </message>
    <message>
        <source>Cannot write &quot;%1&quot;: there is no temporary folder to write it in.</source>
        <translation>«⁦%1⁩» نوشته نشد: پوشهٔ موقتی برای نوشتن آن نيست.</translation>
    </message>
    <message>
        <source>Cannot write &quot;%1&quot;: %2. Nothing was written.</source>
        <translation>«⁦%1⁩» نوشته نشد: %2. چيزی نوشته نشد.</translation>
    </message>
    <message>
        <source>the temporary folder %1 is not a private folder of this user</source>
        <translation>پوشهٔ موقت ⁦%1⁩ پوشهٔ خصوصی اين كاربر نيست</translation>
    </message>
    <message>
        <source>the temporary folder cannot be opened (%1)</source>
        <translation>پوشهٔ موقت باز نشد (%1)</translation>
    </message>
    <message>
        <source>a link or another kind of file stands in its place</source>
        <translation>پيوند يا پرونده‌ای از گونه‌ای ديگر به جای آن است</translation>
    </message>
</context>
<context>
    <name>TWebBrowser</name>
    <message>
        <source>The HTML view does not support command %1</source>
        <translation>نمای صفحه فرمان %1 را نمی‌شناسد</translation>
    </message>
    <message>
        <source>Zoom level %1 is out of range 0..4</source>
        <translation>اندازهٔ متن %1 بيرون از بازهٔ 0 تا 4 است</translation>
    </message>
</context>
<context>
    <name>TsuiForm</name>
    <message>
        <source>TsuiForm needs a window</source>
        <translation>TsuiForm بی پنجره ساخته نمی‌شود</translation>
    </message>
</context>
<context>
    <name>TsuiThemes</name>
    <message>
        <source>Bitmap resource %1 not found</source>
        <translation>تصوير %1 در منابع برنامه پيدا نشد</translation>
    </message>
    <message>
        <source>Bitmap %1 is not a picture</source>
        <translation>⁦%1⁩ تصوير نيست</translation>
    </message>
</context>
</TS>
