<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="et_EE" sourcelanguage="en">
<context>
    <name>Print Device Input Slot</name>
    <message>
        <source>Automatic</source>
        <translation>Automaatne</translation>
    </message>
</context>
<context>
    <name>Print Device Output Bin</name>
    <message>
        <source>Automatic</source>
        <translation>Automaatne</translation>
    </message>
</context>
<context>
    <name>QAbstractFileIconProvider</name>
    <message>
        <source>File</source>
        <translation>Fail</translation>
    </message>
    <message>
        <source>Folder</source>
        <comment>All other platforms</comment>
        <translation>Kaust</translation>
    </message>
    <message>
        <source>File Folder</source>
        <translation>Kaust</translation>
    </message>
    <message>
        <source>Drive</source>
        <translation>Ketas</translation>
    </message>
    <message>
        <source>Alias</source>
        <translation>Alias</translation>
    </message>
    <message>
        <source>Shortcut</source>
        <translation>Otsetee</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>Tundmatu</translation>
    </message>
    <message>
        <source>%1 File</source>
        <translation>%1-fail</translation>
    </message>
</context>
<context>
    <name>QAbstractSpinBox</name>
    <message>
        <source>&amp;Select All</source>
        <translation>&amp;Vali kõik</translation>
    </message>
    <message>
        <source>&amp;Step up</source>
        <translation>&amp;Suurenda</translation>
    </message>
    <message>
        <source>Step &amp;down</source>
        <translation>&amp;Vähenda</translation>
    </message>
</context>
<context>
    <name>QComboBox</name>
    <message>
        <source>Open the combo box selection popup</source>
        <translation>Ava valikute loend</translation>
    </message>
    <message>
        <source>True</source>
        <translation>Tõene</translation>
    </message>
    <message>
        <source>False</source>
        <translation>Väär</translation>
    </message>
</context>
<context>
    <name>QCupsJobWidget</name>
    <message>
        <source>Job</source>
        <translation>Prinditöö</translation>
    </message>
    <message>
        <source>Job Control</source>
        <translation>Prinditöö juhtimine</translation>
    </message>
    <message>
        <source>Scheduled printing:</source>
        <translation>Printimise aeg:</translation>
    </message>
    <message>
        <source>Billing information:</source>
        <translation>Arveldusandmed:</translation>
    </message>
    <message>
        <source>Job priority:</source>
        <translation>Prinditöö prioriteet:</translation>
    </message>
    <message>
        <source>Banner Pages</source>
        <translation>Kaanelehed</translation>
    </message>
    <message>
        <source>Start:</source>
        <comment>Banner page at start</comment>
        <translation>Algus:</translation>
    </message>
    <message>
        <source>End:</source>
        <comment>Banner page at end</comment>
        <translation>Lõpp:</translation>
    </message>
    <message>
        <source>Print Immediately</source>
        <translation>Prindi kohe</translation>
    </message>
    <message>
        <source>Hold Indefinitely</source>
        <translation>Oota määramata ajani</translation>
    </message>
    <message>
        <source>Day (06:00 to 17:59)</source>
        <translation>Päeval (06:00–17:59)</translation>
    </message>
    <message>
        <source>Night (18:00 to 05:59)</source>
        <translation>Öösel (18:00–05:59)</translation>
    </message>
    <message>
        <source>Second Shift (16:00 to 23:59)</source>
        <translation>Teises vahetuses (16:00–23:59)</translation>
    </message>
    <message>
        <source>Third Shift (00:00 to 07:59)</source>
        <translation>Kolmandas vahetuses (00:00–07:59)</translation>
    </message>
    <message>
        <source>Weekend (Saturday to Sunday)</source>
        <translation>Nädalavahetusel (laupäevast pühapäevani)</translation>
    </message>
    <message>
        <source>Specific Time</source>
        <translation>Kindlal kellaajal</translation>
    </message>
    <message>
        <source>None</source>
        <comment>CUPS Banner page</comment>
        <translation>Puudub</translation>
    </message>
    <message>
        <source>Standard</source>
        <comment>CUPS Banner page</comment>
        <translation>Tavaline</translation>
    </message>
    <message>
        <source>Unclassified</source>
        <comment>CUPS Banner page</comment>
        <translation>Salastamata</translation>
    </message>
    <message>
        <source>Confidential</source>
        <comment>CUPS Banner page</comment>
        <translation>Konfidentsiaalne</translation>
    </message>
    <message>
        <source>Classified</source>
        <comment>CUPS Banner page</comment>
        <translation>Salastatud</translation>
    </message>
    <message>
        <source>Secret</source>
        <comment>CUPS Banner page</comment>
        <translation>Salajane</translation>
    </message>
    <message>
        <source>Top Secret</source>
        <comment>CUPS Banner page</comment>
        <translation>Täiesti salajane</translation>
    </message>
</context>
<context>
    <name>QCupsPrinterSupport</name>
    <message>
        <source>Authentication Needed</source>
        <translation>Vajalik on autentimine</translation>
    </message>
    <message>
        <source>Authentication needed to use %1.</source>
        <translation>Printeri %1 kasutamiseks on vaja autentida.</translation>
    </message>
    <message>
        <source>Authentication needed to use %1 on %2.</source>
        <translation>Printeri %1 kasutamiseks hostis %2 on vaja autentida.</translation>
    </message>
    <message>
        <source>Username:</source>
        <translation>Kasutajanimi:</translation>
    </message>
    <message>
        <source>Password:</source>
        <translation>Parool:</translation>
    </message>
</context>
<context>
    <name>QDialog</name>
    <message>
        <source>What&apos;s This?</source>
        <translation>Mis see on?</translation>
    </message>
</context>
<context>
    <name>QDialogButtonBox</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Salvesta</translation>
    </message>
    <message>
        <source>Save All</source>
        <translation>Salvesta kõik</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Ava</translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <translation>&amp;Jah</translation>
    </message>
    <message>
        <source>Yes to &amp;All</source>
        <translation>Jah, &amp;kõigile</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>&amp;Ei</translation>
    </message>
    <message>
        <source>N&amp;o to All</source>
        <translation>E&amp;i kõigile</translation>
    </message>
    <message>
        <source>Abort</source>
        <translation>Katkesta</translation>
    </message>
    <message>
        <source>Retry</source>
        <translation>Proovi uuesti</translation>
    </message>
    <message>
        <source>Ignore</source>
        <translation>Eira</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Sulge</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Loobu</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>Hülga</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Abi</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Rakenda</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Lähtesta</translation>
    </message>
    <message>
        <source>Restore Defaults</source>
        <translation>Taasta vaikesätted</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Salvesta</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Loobu</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Sulge</translation>
    </message>
    <message>
        <source>Close without Saving</source>
        <translation>Sulge salvestamata</translation>
    </message>
    <message>
        <source>Don&apos;t Save</source>
        <translation>Ära salvesta</translation>
    </message>
</context>
<context>
    <name>QFileDialog</name>
    <message>
        <source>Look in:</source>
        <translation>Asukoht:</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Tagasi</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>Edasi</translation>
    </message>
    <message>
        <source>Go back</source>
        <translation>Mine tagasi</translation>
    </message>
    <message>
        <source>Go forward</source>
        <translation>Mine edasi</translation>
    </message>
    <message>
        <source>Parent Directory</source>
        <translation>Ülemkaust</translation>
    </message>
    <message>
        <source>Go to the parent directory</source>
        <translation>Mine ülemkausta</translation>
    </message>
    <message>
        <source>Create New Folder</source>
        <translation>Loo uus kaust</translation>
    </message>
    <message>
        <source>Create a New Folder</source>
        <translation>Loo uus kaust</translation>
    </message>
    <message>
        <source>List View</source>
        <translation>Loendivaade</translation>
    </message>
    <message>
        <source>Change to list view mode</source>
        <translation>Lülitu loendivaatele</translation>
    </message>
    <message>
        <source>Detail View</source>
        <translation>Üksikasjade vaade</translation>
    </message>
    <message>
        <source>Change to detail view mode</source>
        <translation>Lülitu üksikasjade vaatele</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>Failid</translation>
    </message>
    <message>
        <source>Sidebar</source>
        <translation>Külgriba</translation>
    </message>
    <message>
        <source>List of places and bookmarks</source>
        <translation>Kohtade ja järjehoidjate loend</translation>
    </message>
    <message>
        <source>File &amp;name:</source>
        <translation>Faili &amp;nimi:</translation>
    </message>
    <message>
        <source>Files of type:</source>
        <translation>Failitüüp:</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Salvesta</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation>&amp;Ava</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Ava</translation>
    </message>
    <message>
        <source>&amp;Choose</source>
        <translation>&amp;Vali</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>Salvesta nimega</translation>
    </message>
    <message>
        <source>Find Directory</source>
        <translation>Kausta valimine</translation>
    </message>
    <message>
        <source>All Files (*)</source>
        <translation>Kõik failid (*)</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Kõik failid (*)</translation>
    </message>
    <message>
        <source>Directory:</source>
        <translation>Kaust:</translation>
    </message>
    <message>
        <source>Directories</source>
        <translation>Kaustad</translation>
    </message>
    <message>
        <source>&amp;Rename</source>
        <translation>&amp;Nimeta ümber</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Kustuta</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Kustuta</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Eemalda</translation>
    </message>
    <message>
        <source>Show &amp;hidden files</source>
        <translation>Näita &amp;peidetud faile</translation>
    </message>
    <message>
        <source>&amp;New Folder</source>
        <translation>&amp;Uus kaust</translation>
    </message>
    <message>
        <source>New Folder</source>
        <translation>Uus kaust</translation>
    </message>
    <message>
        <source>Show </source>
        <translation>Näita: </translation>
    </message>
    <message>
        <source>My Computer</source>
        <translation>Minu arvuti</translation>
    </message>
    <message>
        <source>Recent Places</source>
        <translation>Hiljutised kohad</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Fail</translation>
    </message>
    <message>
        <source>Folder</source>
        <translation>Kaust</translation>
    </message>
    <message>
        <source>File Folder</source>
        <translation>Kaust</translation>
    </message>
    <message>
        <source>Drive</source>
        <translation>Ketas</translation>
    </message>
    <message>
        <source>Alias</source>
        <translation>Alias</translation>
    </message>
    <message>
        <source>Shortcut</source>
        <translation>Otsetee</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>Tundmatu</translation>
    </message>
    <message>
        <source>%1 File</source>
        <translation>%1-fail</translation>
    </message>
    <message>
        <source>Could not delete directory.</source>
        <translation>Kausta ei saanud kustutada.</translation>
    </message>
    <message>
        <source>Are you sure you want to delete &apos;%1&apos;?</source>
        <translation>Kas soovite kindlasti kustutada „%1”?</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is write protected.
Do you want to delete it anyway?</source>
        <translation>„%1” on kirjutuskaitstud.
Kas kustutada see ikkagi?</translation>
    </message>
    <message>
        <source>%1 already exists.
Do you want to replace it?</source>
        <translation>%1 on juba olemas.
Kas asendada see?</translation>
    </message>
    <message>
        <source>%1
Directory not found.
Please verify the correct directory name was given.</source>
        <translation>%1
Kausta ei leitud.
Kontrollige, kas kausta nimi on õige.</translation>
    </message>
    <message>
        <source>%1
File not found.
Please verify the correct file name was given.</source>
        <translation>%1
Faili ei leitud.
Kontrollige, kas faili nimi on õige.</translation>
    </message>
</context>
<context>
    <name>QFileSystemModel</name>
    <message>
        <source>Name</source>
        <translation>Nimi</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Suurus</translation>
    </message>
    <message>
        <source>Type</source>
        <comment>All other platforms</comment>
        <translation>Tüüp</translation>
    </message>
    <message>
        <source>Kind</source>
        <translation>Liik</translation>
    </message>
    <message>
        <source>Date Modified</source>
        <translation>Muutmisaeg</translation>
    </message>
    <message>
        <source>Computer</source>
        <translation>Arvuti</translation>
    </message>
    <message>
        <source>My Computer</source>
        <translation>Minu arvuti</translation>
    </message>
    <message>
        <source>%1 TB</source>
        <translation>%1 TB</translation>
    </message>
    <message>
        <source>%1 GB</source>
        <translation>%1 GB</translation>
    </message>
    <message>
        <source>%1 MB</source>
        <translation>%1 MB</translation>
    </message>
    <message>
        <source>%1 KB</source>
        <translation>%1 kB</translation>
    </message>
    <message>
        <source>%1 bytes</source>
        <translation>%1 baiti</translation>
    </message>
    <message>
        <source>%1 byte(s)</source>
        <translation>%1 baiti</translation>
    </message>
    <message>
        <source>Invalid filename</source>
        <translation>Vigane failinimi</translation>
    </message>
    <message>
        <source>&lt;b&gt;The name &quot;%1&quot; cannot be used.&lt;/b&gt;&lt;p&gt;Try using another name, with fewer characters or no punctuation marks.</source>
        <translation>&lt;b&gt;Nime „%1” ei saa kasutada.&lt;/b&gt;&lt;p&gt;Proovige mõnda muud nime, milles on vähem märke või pole kirjavahemärke.</translation>
    </message>
    <message>
        <source>&lt;b&gt;The name &quot;%1&quot; can not be used.&lt;/b&gt;&lt;p&gt;Try using another name, with fewer characters or no punctuations marks.</source>
        <translation>&lt;b&gt;Nime „%1” ei saa kasutada.&lt;/b&gt;&lt;p&gt;Proovige mõnda muud nime, milles on vähem märke või pole kirjavahemärke.</translation>
    </message>
</context>
<context>
    <name>QGuiApplication</name>
    <message>
        <source>QT_LAYOUT_DIRECTION</source>
        <comment>Translate this string to the string &apos;LTR&apos; in left-to-right languages or to &apos;RTL&apos; in right-to-left languages (such as Hebrew and Arabic) to get proper widget layout.</comment>
        <translation>LTR</translation>
    </message>
</context>
<context>
    <name>QLineEdit</name>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Võta tagasi</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Tee uuesti</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>&amp;Lõika</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Kopeeri</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>Kl&amp;eebi</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Kustuta</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>Vali kõik</translation>
    </message>
</context>
<context>
    <name>QMessageBox</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Abi</translation>
    </message>
    <message>
        <source>Show Details...</source>
        <translation>Näita üksikasju...</translation>
    </message>
    <message>
        <source>Hide Details...</source>
        <translation>Peida üksikasjad...</translation>
    </message>
</context>
<context>
    <name>QPageSetupWidget</name>
    <message>
        <source>Form</source>
        <translation>Vorm</translation>
    </message>
    <message>
        <source>Paper</source>
        <translation>Paber</translation>
    </message>
    <message>
        <source>Page size:</source>
        <translation>Paberi suurus:</translation>
    </message>
    <message>
        <source>Width:</source>
        <translation>Laius:</translation>
    </message>
    <message>
        <source>Height:</source>
        <translation>Kõrgus:</translation>
    </message>
    <message>
        <source>Paper source:</source>
        <translation>Paberisalv:</translation>
    </message>
    <message>
        <source>Orientation</source>
        <translation>Paigutus</translation>
    </message>
    <message>
        <source>Portrait</source>
        <translation>Püstpaigutus</translation>
    </message>
    <message>
        <source>Landscape</source>
        <translation>Rõhtpaigutus</translation>
    </message>
    <message>
        <source>Reverse landscape</source>
        <translation>Pööratud rõhtpaigutus</translation>
    </message>
    <message>
        <source>Reverse portrait</source>
        <translation>Pööratud püstpaigutus</translation>
    </message>
    <message>
        <source>Margins</source>
        <translation>Veerised</translation>
    </message>
    <message>
        <source>top margin</source>
        <translation>ülaveeris</translation>
    </message>
    <message>
        <source>left margin</source>
        <translation>vasak veeris</translation>
    </message>
    <message>
        <source>right margin</source>
        <translation>parem veeris</translation>
    </message>
    <message>
        <source>bottom margin</source>
        <translation>alaveeris</translation>
    </message>
    <message>
        <source>Page Layout</source>
        <translation>Lehekülgede paigutus</translation>
    </message>
    <message>
        <source>Pages per sheet:</source>
        <translation>Lehekülgi lehel:</translation>
    </message>
    <message>
        <source>Page order:</source>
        <translation>Lehekülgede järjekord:</translation>
    </message>
    <message>
        <source>Custom</source>
        <translation>Kohandatud</translation>
    </message>
    <message>
        <source>Millimeters (mm)</source>
        <translation>Millimeetrid (mm)</translation>
    </message>
    <message>
        <source>Centimeters (cm)</source>
        <translation>Sentimeetrid (cm)</translation>
    </message>
    <message>
        <source>Inches (in)</source>
        <translation>Tollid (″)</translation>
    </message>
    <message>
        <source>Points (pt)</source>
        <translation>Punktid (pt)</translation>
    </message>
    <message>
        <source>Pica (P̸)</source>
        <translation>Piikad (P̸)</translation>
    </message>
    <message>
        <source>Didot (DD)</source>
        <translation>Didoo punktid (DD)</translation>
    </message>
    <message>
        <source>Cicero (CC)</source>
        <translation>Tsiitserod (CC)</translation>
    </message>
    <message>
        <source>mm</source>
        <translation>mm</translation>
    </message>
    <message>
        <source>in</source>
        <translation>″</translation>
    </message>
    <message>
        <source>pt</source>
        <translation>pt</translation>
    </message>
    <message>
        <source>P̸</source>
        <translation>P̸</translation>
    </message>
    <message>
        <source>DD</source>
        <translation>DD</translation>
    </message>
    <message>
        <source>CC</source>
        <translation>CC</translation>
    </message>
</context>
<context>
    <name>QPageSize</name>
    <message>
        <source>Letter / ANSI A</source>
        <translation>USA kirjapaber / ANSI A</translation>
    </message>
    <message>
        <source>Legal</source>
        <translation>USA dokumendipaber</translation>
    </message>
    <message>
        <source>Executive (7.5 x 10 in)</source>
        <translation>USA ametikiri (7,5 x 10 tolli)</translation>
    </message>
    <message>
        <source>Executive (7.25 x 10.5 in)</source>
        <translation>USA ametikiri (7,25 x 10,5 tolli)</translation>
    </message>
    <message>
        <source>Folio (8.27 x 13 in)</source>
        <translation>Foolio (8,27 x 13 tolli)</translation>
    </message>
    <message>
        <source>Ledger / ANSI B</source>
        <translation>USA pearaamat / ANSI B</translation>
    </message>
    <message>
        <source>Tabloid / ANSI B</source>
        <translation>Tabloid / ANSI B</translation>
    </message>
    <message>
        <source>A3 Extra</source>
        <translation>A3 ekstra</translation>
    </message>
    <message>
        <source>A4 Extra</source>
        <translation>A4 ekstra</translation>
    </message>
    <message>
        <source>A4 Plus</source>
        <translation>A4 pluss</translation>
    </message>
    <message>
        <source>A4 Small</source>
        <translation>A4 väike</translation>
    </message>
    <message>
        <source>A5 Extra</source>
        <translation>A5 ekstra</translation>
    </message>
    <message>
        <source>B5 Extra</source>
        <translation>B5 ekstra</translation>
    </message>
    <message>
        <source>Legal Extra</source>
        <translation>USA dokumendipaber ekstra</translation>
    </message>
    <message>
        <source>Letter Extra</source>
        <translation>USA kirjapaber ekstra</translation>
    </message>
    <message>
        <source>Letter Plus</source>
        <translation>USA kirjapaber pluss</translation>
    </message>
    <message>
        <source>Letter Small</source>
        <translation>USA kirjapaber väike</translation>
    </message>
    <message>
        <source>Tabloid Extra</source>
        <translation>Tabloid ekstra</translation>
    </message>
    <message>
        <source>Architect A</source>
        <translation>Arhitekti A</translation>
    </message>
    <message>
        <source>Architect B</source>
        <translation>Arhitekti B</translation>
    </message>
    <message>
        <source>Architect C</source>
        <translation>Arhitekti C</translation>
    </message>
    <message>
        <source>Architect D</source>
        <translation>Arhitekti D</translation>
    </message>
    <message>
        <source>Architect E</source>
        <translation>Arhitekti E</translation>
    </message>
    <message>
        <source>%1 x %2 in</source>
        <translation>%1 x %2 tolli</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>USA märkmepaber</translation>
    </message>
    <message>
        <source>Quarto</source>
        <translation>Kvarto</translation>
    </message>
    <message>
        <source>Statement</source>
        <translation>USA poolkirjapaber</translation>
    </message>
    <message>
        <source>Super A</source>
        <translation>Super A</translation>
    </message>
    <message>
        <source>Super B</source>
        <translation>Super B</translation>
    </message>
    <message>
        <source>Postcard</source>
        <translation>Postkaart</translation>
    </message>
    <message>
        <source>Double Postcard</source>
        <translation>Topeltpostkaart</translation>
    </message>
    <message>
        <source>PRC 16K</source>
        <translation>Hiina 16K</translation>
    </message>
    <message>
        <source>PRC 32K</source>
        <translation>Hiina 32K</translation>
    </message>
    <message>
        <source>PRC 32K Big</source>
        <translation>Hiina 32K suur</translation>
    </message>
    <message>
        <source>Fan-fold US (14.875 x 11 in)</source>
        <translation>Lõputu paber, USA (14,875 x 11 tolli)</translation>
    </message>
    <message>
        <source>Fan-fold German (8.5 x 12 in)</source>
        <translation>Lõputu paber, Saksa (8,5 x 12 tolli)</translation>
    </message>
    <message>
        <source>Fan-fold German Legal (8.5 x 13 in)</source>
        <translation>Lõputu paber, Saksa dokumendipaber (8,5 x 13 tolli)</translation>
    </message>
    <message>
        <source>Envelope B4</source>
        <translation>Ümbrik B4</translation>
    </message>
    <message>
        <source>Envelope B5</source>
        <translation>Ümbrik B5</translation>
    </message>
    <message>
        <source>Envelope B6</source>
        <translation>Ümbrik B6</translation>
    </message>
    <message>
        <source>Envelope C0</source>
        <translation>Ümbrik C0</translation>
    </message>
    <message>
        <source>Envelope C1</source>
        <translation>Ümbrik C1</translation>
    </message>
    <message>
        <source>Envelope C2</source>
        <translation>Ümbrik C2</translation>
    </message>
    <message>
        <source>Envelope C3</source>
        <translation>Ümbrik C3</translation>
    </message>
    <message>
        <source>Envelope C4</source>
        <translation>Ümbrik C4</translation>
    </message>
    <message>
        <source>Envelope C5</source>
        <translation>Ümbrik C5</translation>
    </message>
    <message>
        <source>Envelope C6</source>
        <translation>Ümbrik C6</translation>
    </message>
    <message>
        <source>Envelope C65</source>
        <translation>Ümbrik C65</translation>
    </message>
    <message>
        <source>Envelope C7</source>
        <translation>Ümbrik C7</translation>
    </message>
    <message>
        <source>Envelope DL</source>
        <translation>Ümbrik DL</translation>
    </message>
    <message>
        <source>Envelope US 9</source>
        <translation>Ümbrik USA 9</translation>
    </message>
    <message>
        <source>Envelope US 10</source>
        <translation>Ümbrik USA 10</translation>
    </message>
    <message>
        <source>Envelope US 11</source>
        <translation>Ümbrik USA 11</translation>
    </message>
    <message>
        <source>Envelope US 12</source>
        <translation>Ümbrik USA 12</translation>
    </message>
    <message>
        <source>Envelope US 14</source>
        <translation>Ümbrik USA 14</translation>
    </message>
    <message>
        <source>Envelope Monarch</source>
        <translation>Ümbrik Monarch</translation>
    </message>
    <message>
        <source>Envelope Personal</source>
        <translation>Ümbrik, isiklik</translation>
    </message>
    <message>
        <source>Envelope Chou 3</source>
        <translation>Ümbrik Chou 3</translation>
    </message>
    <message>
        <source>Envelope Chou 4</source>
        <translation>Ümbrik Chou 4</translation>
    </message>
    <message>
        <source>Envelope Invite</source>
        <translation>Ümbrik, kutse</translation>
    </message>
    <message>
        <source>Envelope Italian</source>
        <translation>Ümbrik, Itaalia</translation>
    </message>
    <message>
        <source>Envelope Kaku 2</source>
        <translation>Ümbrik Kaku 2</translation>
    </message>
    <message>
        <source>Envelope Kaku 3</source>
        <translation>Ümbrik Kaku 3</translation>
    </message>
    <message>
        <source>Envelope You 4</source>
        <translation>Ümbrik You 4</translation>
    </message>
    <message>
        <source>Envelope PRC 1</source>
        <translation>Ümbrik Hiina 1</translation>
    </message>
    <message>
        <source>Envelope PRC 2</source>
        <translation>Ümbrik Hiina 2</translation>
    </message>
    <message>
        <source>Envelope PRC 3</source>
        <translation>Ümbrik Hiina 3</translation>
    </message>
    <message>
        <source>Envelope PRC 4</source>
        <translation>Ümbrik Hiina 4</translation>
    </message>
    <message>
        <source>Envelope PRC 5</source>
        <translation>Ümbrik Hiina 5</translation>
    </message>
    <message>
        <source>Envelope PRC 6</source>
        <translation>Ümbrik Hiina 6</translation>
    </message>
    <message>
        <source>Envelope PRC 7</source>
        <translation>Ümbrik Hiina 7</translation>
    </message>
    <message>
        <source>Envelope PRC 8</source>
        <translation>Ümbrik Hiina 8</translation>
    </message>
    <message>
        <source>Envelope PRC 9</source>
        <translation>Ümbrik Hiina 9</translation>
    </message>
    <message>
        <source>Envelope PRC 10</source>
        <translation>Ümbrik Hiina 10</translation>
    </message>
    <message>
        <source>Custom</source>
        <translation>Kohandatud</translation>
    </message>
    <message>
        <source>Custom (%1mm x %2mm)</source>
        <translation>Kohandatud (%1 mm x %2 mm)</translation>
    </message>
    <message>
        <source>Custom (%1pt x %2pt)</source>
        <translation>Kohandatud (%1 pt x %2 pt)</translation>
    </message>
    <message>
        <source>Custom (%1in x %2in)</source>
        <translation>Kohandatud (%1 x %2 tolli)</translation>
    </message>
    <message>
        <source>Custom (%1pc x %2pc)</source>
        <translation>Kohandatud (%1 P̸ x %2 P̸)</translation>
    </message>
    <message>
        <source>Custom (%1DD x %2DD)</source>
        <translation>Kohandatud (%1 DD x %2 DD)</translation>
    </message>
    <message>
        <source>Custom (%1CC x %2CC)</source>
        <translation>Kohandatud (%1 CC x %2 CC)</translation>
    </message>
</context>
<context>
    <name>QPlatformTheme</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Salvesta</translation>
    </message>
    <message>
        <source>Save All</source>
        <translation>Salvesta kõik</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Ava</translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <translation>&amp;Jah</translation>
    </message>
    <message>
        <source>Yes to &amp;All</source>
        <translation>Jah, &amp;kõigile</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>&amp;Ei</translation>
    </message>
    <message>
        <source>N&amp;o to All</source>
        <translation>E&amp;i kõigile</translation>
    </message>
    <message>
        <source>Abort</source>
        <translation>Katkesta</translation>
    </message>
    <message>
        <source>Retry</source>
        <translation>Proovi uuesti</translation>
    </message>
    <message>
        <source>Ignore</source>
        <translation>Eira</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Sulge</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Loobu</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>Hülga</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Abi</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Rakenda</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Lähtesta</translation>
    </message>
    <message>
        <source>Restore Defaults</source>
        <translation>Taasta vaikesätted</translation>
    </message>
</context>
<context>
    <name>QPPDOptionsModel</name>
    <message>
        <source>Name</source>
        <translation>Nimi</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Väärtus</translation>
    </message>
</context>
<context>
    <name>QPrintDialog</name>
    <message>
        <source>Print</source>
        <translation>Printimine</translation>
    </message>
    <message>
        <source>&amp;Print</source>
        <translation>&amp;Prindi</translation>
    </message>
    <message>
        <source>&amp;Options &gt;&gt;</source>
        <translation>&amp;Valikud &gt;&gt;</translation>
    </message>
    <message>
        <source>&amp;Options &lt;&lt;</source>
        <translation>&amp;Valikud &lt;&lt;</translation>
    </message>
    <message>
        <source>Print to File (PDF)</source>
        <translation>Prindi faili (PDF)</translation>
    </message>
    <message>
        <source>Print To File ...</source>
        <translation>Faili printimine</translation>
    </message>
    <message>
        <source>Local file</source>
        <translation>Kohalik fail</translation>
    </message>
    <message>
        <source>Write PDF file</source>
        <translation>PDF-faili kirjutamine</translation>
    </message>
    <message>
        <source>All Pages</source>
        <translation>Kõik leheküljed</translation>
    </message>
    <message>
        <source>Odd Pages</source>
        <translation>Paaritud leheküljed</translation>
    </message>
    <message>
        <source>Even Pages</source>
        <translation>Paarisleheküljed</translation>
    </message>
    <message>
        <source>Left to Right, Top to Bottom</source>
        <translation>Vasakult paremale, ülalt alla</translation>
    </message>
    <message>
        <source>Left to Right, Bottom to Top</source>
        <translation>Vasakult paremale, alt üles</translation>
    </message>
    <message>
        <source>Right to Left, Bottom to Top</source>
        <translation>Paremalt vasakule, alt üles</translation>
    </message>
    <message>
        <source>Right to Left, Top to Bottom</source>
        <translation>Paremalt vasakule, ülalt alla</translation>
    </message>
    <message>
        <source>Bottom to Top, Left to Right</source>
        <translation>Alt üles, vasakult paremale</translation>
    </message>
    <message>
        <source>Bottom to Top, Right to Left</source>
        <translation>Alt üles, paremalt vasakule</translation>
    </message>
    <message>
        <source>Top to Bottom, Left to Right</source>
        <translation>Ülalt alla, vasakult paremale</translation>
    </message>
    <message>
        <source>Top to Bottom, Right to Left</source>
        <translation>Ülalt alla, paremalt vasakule</translation>
    </message>
    <message>
        <source>Automatic</source>
        <translation>Automaatne</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>The &apos;From&apos; value cannot be greater than the &apos;To&apos; value.</source>
        <translation>Väärtus „alates” ei tohi olla suurem kui väärtus „kuni”.</translation>
    </message>
    <message>
        <source>%1 is a directory.
Please choose a different file name.</source>
        <translation>%1 on kaust.
Valige palun muu failinimi.</translation>
    </message>
    <message>
        <source>File %1 is not writable.
Please choose a different file name.</source>
        <translation>Faili %1 ei saa kirjutada.
Valige palun muu failinimi.</translation>
    </message>
    <message>
        <source>%1 already exists.
Do you want to overwrite it?</source>
        <translation>%1 on juba olemas.
Kas kirjutada see üle?</translation>
    </message>
    <message>
        <source>Options &apos;Pages Per Sheet&apos; and &apos;Page Set&apos; cannot be used together.
Please turn one of those options off.</source>
        <translation>Valikuid „Lehekülgi lehel” ja „Lehekülgede valik” ei saa koos kasutada.
Lülitage palun üks neist välja.</translation>
    </message>
    <message>
        <source>Duplex Settings Conflicts</source>
        <translation>Kahepoolse printimise sätted on vastuolus</translation>
    </message>
    <message>
        <source>There are conflicts in duplex settings. Do you want to fix them?</source>
        <translation>Kahepoolse printimise sätted on omavahel vastuolus. Kas soovite need parandada?</translation>
    </message>
    <message>
        <source>Invalid Pages Definition</source>
        <translation>Vigane lehekülgede määrang</translation>
    </message>
    <message>
        <source>%1 does not follow the correct syntax. Please use &apos;,&apos; to separate ranges and pages, &apos;-&apos; to define ranges and make sure ranges do not intersect with each other.</source>
        <translation>%1 ei vasta nõutud kujule. Eraldage vahemikud ja leheküljed komaga (,), märkige vahemik sidekriipsuga (-) ja vaadake, et vahemikud ei kattuks.</translation>
    </message>
</context>
<context>
    <name>QPrintPropertiesDialog</name>
    <message>
        <source>Printer Properties</source>
        <translation>Printeri omadused</translation>
    </message>
    <message>
        <source>Job Options</source>
        <translation>Prinditöö valikud</translation>
    </message>
    <message>
        <source>Advanced Option Conflicts</source>
        <translation>Täpsemad valikud on vastuolus</translation>
    </message>
    <message>
        <source>Page Setup Conflicts</source>
        <translation>Lehekülje sätted on vastuolus</translation>
    </message>
    <message>
        <source>There are conflicts in some advanced options. Do you want to fix them?</source>
        <translation>Mõni täpsem valik on teistega vastuolus. Kas soovite selle parandada?</translation>
    </message>
    <message>
        <source>There are conflicts in page setup options. Do you want to fix them?</source>
        <translation>Lehekülje sätted on omavahel vastuolus. Kas soovite need parandada?</translation>
    </message>
</context>
<context>
    <name>QPrintPropertiesWidget</name>
    <message>
        <source>Form</source>
        <translation>Vorm</translation>
    </message>
    <message>
        <source>Page</source>
        <translation>Lehekülg</translation>
    </message>
    <message>
        <source>Advanced</source>
        <translation>Täpsemalt</translation>
    </message>
    <message>
        <source>There are conflicts in some options. Please fix them.</source>
        <translation>Mõni valik on teistega vastuolus. Parandage see palun.</translation>
    </message>
</context>
<context>
    <name>QPrintSettingsOutput</name>
    <message>
        <source>Form</source>
        <translation>Vorm</translation>
    </message>
    <message>
        <source>Copies</source>
        <translation>Koopiad</translation>
    </message>
    <message>
        <source>Print range</source>
        <translation>Prinditav osa</translation>
    </message>
    <message>
        <source>Print all</source>
        <translation>Prindi kõik</translation>
    </message>
    <message>
        <source>Pages from</source>
        <translation>Leheküljed alates</translation>
    </message>
    <message>
        <source>to</source>
        <translation>kuni</translation>
    </message>
    <message>
        <source>Pages</source>
        <translation>Leheküljed</translation>
    </message>
    <message>
        <source>Specify pages or ranges separated by commas. Ranges are specified by two numbers separated by a hyphen. E.g: 3,5-7,9 prints pages 3, 5, 6, 7 and 9.</source>
        <translation>Loetlege leheküljed või vahemikud komadega eraldatult. Vahemik on kaks sidekriipsuga eraldatud arvu. Näiteks 3,5-7,9 prindib leheküljed 3, 5, 6, 7 ja 9.</translation>
    </message>
    <message>
        <source>Current Page</source>
        <translation>Praegune lehekülg</translation>
    </message>
    <message>
        <source>Selection</source>
        <translation>Valitud osa</translation>
    </message>
    <message>
        <source>Page Set:</source>
        <translation>Lehekülgede valik:</translation>
    </message>
    <message>
        <source>Output Settings</source>
        <translation>Väljundi sätted</translation>
    </message>
    <message>
        <source>Copies:</source>
        <translation>Koopiaid:</translation>
    </message>
    <message>
        <source>Collate</source>
        <translation>Komplektidena</translation>
    </message>
    <message>
        <source>Reverse</source>
        <translation>Vastupidises järjekorras</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Valikud</translation>
    </message>
    <message>
        <source>Color Mode</source>
        <translation>Värvirežiim</translation>
    </message>
    <message>
        <source>Color</source>
        <translation>Värviline</translation>
    </message>
    <message>
        <source>Grayscale</source>
        <translation>Halltoonides</translation>
    </message>
    <message>
        <source>Double Sided Printing</source>
        <translation>Kahepoolne printimine</translation>
    </message>
    <message>
        <source>Duplex Printing</source>
        <translation>Kahepoolne printimine</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Väljas</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Puudub</translation>
    </message>
    <message>
        <source>Long side binding</source>
        <translation>Köitmine pikast servast</translation>
    </message>
    <message>
        <source>Short side binding</source>
        <translation>Köitmine lühikesest servast</translation>
    </message>
    <message>
        <source>Long side</source>
        <translation>Pikk serv</translation>
    </message>
    <message>
        <source>Short side</source>
        <translation>Lühike serv</translation>
    </message>
</context>
<context>
    <name>QPrintWidget</name>
    <message>
        <source>Form</source>
        <translation>Vorm</translation>
    </message>
    <message>
        <source>Printer</source>
        <translation>Printer</translation>
    </message>
    <message>
        <source>&amp;Name:</source>
        <translation>&amp;Nimi:</translation>
    </message>
    <message>
        <source>P&amp;roperties</source>
        <translation>&amp;Omadused</translation>
    </message>
    <message>
        <source>Location:</source>
        <translation>Asukoht:</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Eelvaade</translation>
    </message>
    <message>
        <source>Type:</source>
        <translation>Tüüp:</translation>
    </message>
    <message>
        <source>Output &amp;file:</source>
        <translation>Väljund&amp;fail:</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
</context>
<context>
    <name>QScrollBar</name>
    <message>
        <source>Scroll here</source>
        <translation>Keri siia</translation>
    </message>
    <message>
        <source>Top</source>
        <translation>Ülaserv</translation>
    </message>
    <message>
        <source>Bottom</source>
        <translation>Alaserv</translation>
    </message>
    <message>
        <source>Left edge</source>
        <translation>Vasak serv</translation>
    </message>
    <message>
        <source>Right edge</source>
        <translation>Parem serv</translation>
    </message>
    <message>
        <source>Page up</source>
        <translation>Lehekülg üles</translation>
    </message>
    <message>
        <source>Page down</source>
        <translation>Lehekülg alla</translation>
    </message>
    <message>
        <source>Page left</source>
        <translation>Lehekülg vasakule</translation>
    </message>
    <message>
        <source>Page right</source>
        <translation>Lehekülg paremale</translation>
    </message>
    <message>
        <source>Scroll up</source>
        <translation>Keri üles</translation>
    </message>
    <message>
        <source>Scroll down</source>
        <translation>Keri alla</translation>
    </message>
    <message>
        <source>Scroll left</source>
        <translation>Keri vasakule</translation>
    </message>
    <message>
        <source>Scroll right</source>
        <translation>Keri paremale</translation>
    </message>
</context>
<context>
    <name>QTabBar</name>
    <message>
        <source>Scroll Left</source>
        <translation>Keri vasakule</translation>
    </message>
    <message>
        <source>Scroll Right</source>
        <translation>Keri paremale</translation>
    </message>
</context>
<context>
    <name>QUnicodeControlCharacterMenu</name>
    <message>
        <source>Insert Unicode control character</source>
        <translation>Lisa Unicode&apos;i juhtmärk</translation>
    </message>
    <message>
        <source>LRM Left-to-right mark</source>
        <translation>LRM vasakult paremale märk</translation>
    </message>
    <message>
        <source>RLM Right-to-left mark</source>
        <translation>RLM paremalt vasakule märk</translation>
    </message>
    <message>
        <source>ZWJ Zero width joiner</source>
        <translation>ZWJ nullaiusega liitja</translation>
    </message>
    <message>
        <source>ZWNJ Zero width non-joiner</source>
        <translation>ZWNJ nullaiusega mitteliitja</translation>
    </message>
    <message>
        <source>ZWSP Zero width space</source>
        <translation>ZWSP nullaiusega tühik</translation>
    </message>
    <message>
        <source>LRE Start of left-to-right embedding</source>
        <translation>LRE vasakult paremale manustuse algus</translation>
    </message>
    <message>
        <source>RLE Start of right-to-left embedding</source>
        <translation>RLE paremalt vasakule manustuse algus</translation>
    </message>
    <message>
        <source>LRO Start of left-to-right override</source>
        <translation>LRO vasakult paremale alistuse algus</translation>
    </message>
    <message>
        <source>RLO Start of right-to-left override</source>
        <translation>RLO paremalt vasakule alistuse algus</translation>
    </message>
    <message>
        <source>PDF Pop directional formatting</source>
        <translation>PDF suunavormingu lõpp</translation>
    </message>
    <message>
        <source>LRI Left-to-right isolate</source>
        <translation>LRI vasakult paremale isoleering</translation>
    </message>
    <message>
        <source>RLI Right-to-left isolate</source>
        <translation>RLI paremalt vasakule isoleering</translation>
    </message>
    <message>
        <source>FSI First strong isolate</source>
        <translation>FSI esimese tugeva märgi isoleering</translation>
    </message>
    <message>
        <source>PDI Pop directional isolate</source>
        <translation>PDI suunaisoleeringu lõpp</translation>
    </message>
</context>
<context>
    <name>QWidgetTextControl</name>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Võta tagasi</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Tee uuesti</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>&amp;Lõika</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Kopeeri</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>Kl&amp;eebi</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Kustuta</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>Vali kõik</translation>
    </message>
    <message>
        <source>Copy &amp;Link Location</source>
        <translation>Kopeeri &amp;lingi aadress</translation>
    </message>
</context>
</TS>
