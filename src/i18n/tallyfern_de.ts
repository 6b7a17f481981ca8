<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>AccountFormDialog</name>
    <message>
        <source>New Account</source>
        <translation>Neues Konto</translation>
    </message>
    <message>
        <source>Edit Account</source>
        <translation>Konto bearbeiten</translation>
    </message>
    <message>
        <source>Account name</source>
        <translation>Kontoname</translation>
    </message>
    <message>
        <source>&amp;Name:</source>
        <translation>&amp;Name:</translation>
    </message>
    <message>
        <source>Checking</source>
        <translation>Girokonto</translation>
    </message>
    <message>
        <source>Savings</source>
        <translation>Sparkonto</translation>
    </message>
    <message>
        <source>Credit Card</source>
        <translation>Kreditkarte</translation>
    </message>
    <message>
        <source>Cash</source>
        <translation>Bargeld</translation>
    </message>
    <message>
        <source>Investment</source>
        <translation>Depot</translation>
    </message>
    <message>
        <source>Other</source>
        <translation>Sonstiges</translation>
    </message>
    <message>
        <source>&amp;Type:</source>
        <translation>&amp;Typ:</translation>
    </message>
    <message>
        <source>USD ($)</source>
        <translation>USD ($)</translation>
    </message>
    <message>
        <source>EUR (€)</source>
        <translation>EUR (€)</translation>
    </message>
    <message>
        <source>GBP (£)</source>
        <translation>GBP (£)</translation>
    </message>
    <message>
        <source>CAD ($)</source>
        <translation>CAD ($)</translation>
    </message>
    <message>
        <source>AUD ($)</source>
        <translation>AUD ($)</translation>
    </message>
    <message>
        <source>JPY (¥)</source>
        <translation>JPY (¥)</translation>
    </message>
    <message>
        <source>&amp;Currency:</source>
        <translation>&amp;Währung:</translation>
    </message>
    <message>
        <source>Starting &amp;Balance:</source>
        <translation>Anfangs&amp;saldo:</translation>
    </message>
    <message>
        <source>&amp;As of:</source>
        <translation>Stand &amp;am:</translation>
    </message>
    <message>
        <source>Bank name (optional)</source>
        <translation>Name der Bank (optional)</translation>
    </message>
    <message>
        <source>&amp;Institution:</source>
        <translation>&amp;Kreditinstitut:</translation>
    </message>
    <message>
        <source>Last 4 digits (optional)</source>
        <translation>Letzte 4 Ziffern (optional)</translation>
    </message>
    <message>
        <source>The opening balance is reconciled.</source>
        <translation>Der Anfangssaldo ist abgestimmt.</translation>
    </message>
    <message>
        <source>The currency cannot change while the account has transactions: their amounts are in this currency.</source>
        <translation>Die Währung kann nicht geändert werden, solange das Konto Buchungen enthält: deren Beträge lauten auf diese Währung.</translation>
    </message>
    <message>
        <source>Account N&amp;umber:</source>
        <translation>Kontonumme&amp;r:</translation>
    </message>
</context>
<context>
    <name>AccountSidebar</name>
    <message>
        <source>Accounts</source>
        <translation>Konten</translation>
    </message>
    <message>
        <source>+ New Account</source>
        <translation>+ Neues Konto</translation>
    </message>
    <message>
        <source>Cleared balances</source>
        <translation>Bestätigte Salden</translation>
    </message>
    <message>
        <source>Balances as of today</source>
        <translation>Salden zum heutigen Tag</translation>
    </message>
    <message>
        <source>Current balances</source>
        <translation>Aktuelle Salden</translation>
    </message>
    <message>
        <source>Some accounts or balances could not be read from the database.</source>
        <translation>Einige Konten oder Salden konnten nicht aus der Datenbank gelesen werden.</translation>
    </message>
    <message>
        <source>The amounts of %1 are too large to add up.</source>
        <translation>Die Beträge von %1 sind zu groß, um sie zusammenzurechnen.</translation>
    </message>
</context>
<context>
    <name>Application</name>
    <message>
        <source>Tallyfern</source>
        <translation>Tallyfern</translation>
    </message>
    <message>
        <source>Tallyfern is already running.</source>
        <translation>Tallyfern wird bereits ausgeführt.</translation>
    </message>
    <message>
        <source>Failed to initialize the database.

Data directory: %1

Please check file permissions and try again.</source>
        <translation>Die Datenbank konnte nicht initialisiert werden.

Datenverzeichnis: %1

Bitte prüfen Sie die Dateiberechtigungen und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>Database Error</source>
        <translation>Datenbankfehler</translation>
    </message>
    <message>
        <source>The database file is read-only. Make it writable and start Tallyfern again.</source>
        <translation>Die Datenbankdatei ist schreibgeschützt. Heben Sie den Schreibschutz auf und starten Sie Tallyfern erneut.</translation>
    </message>
    <message>
        <source>The database was made by a newer version of Tallyfern. Install that version to open it.</source>
        <translation>Die Datenbank wurde mit einer neueren Version von Tallyfern erstellt. Installieren Sie diese Version, um sie zu öffnen.</translation>
    </message>
    <message>
        <source>The database file is damaged. Restore a backup copy of it.</source>
        <translation>Die Datenbankdatei ist beschädigt. Stellen Sie eine Sicherungskopie davon wieder her.</translation>
    </message>
</context>
<context>
    <name>BackupProgressDialog</name>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>BackupService</name>
    <message>
        <source>%1: entry too large</source>
        <translation>%1: Eintrag zu groß</translation>
    </message>
    <message>
        <source>%1: damaged entry</source>
        <translation>%1: beschädigter Eintrag</translation>
    </message>
    <message>
        <source>%1: invalid JSON</source>
        <translation>%1: ungültiges JSON</translation>
    </message>
    <message>
        <source>Too many entries in backup: %1</source>
        <translation>Zu viele Einträge in der Sicherung: %1</translation>
    </message>
    <message>
        <source>Failed to open ZIP archive</source>
        <translation>ZIP-Archiv konnte nicht geöffnet werden</translation>
    </message>
    <message>
        <source>Invalid backup: missing manifest.json</source>
        <translation>Ungültige Sicherung: manifest.json fehlt</translation>
    </message>
    <message>
        <source>Unsupported backup version: %1</source>
        <translation>Nicht unterstützte Sicherungsversion: %1</translation>
    </message>
    <message>
        <source>The restore could not be saved: %1</source>
        <translation>Die Wiederherstellung konnte nicht gespeichert werden: %1</translation>
    </message>
    <message>
        <source>%1: could not be written: %2</source>
        <translation>%1: konnte nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>%1: not a row of the backup, skipped</source>
        <translation>%1: keine Zeile der Sicherung, übersprungen</translation>
    </message>
    <message>
        <source>The backup&apos;s contents are too large to restore</source>
        <translation>Der Inhalt der Sicherung ist zu groß zum Wiederherstellen</translation>
    </message>
    <message>
        <source>Not enough free disk space to restore this backup</source>
        <translation>Nicht genug freier Speicherplatz, um diese Sicherung wiederherzustellen</translation>
    </message>
    <message>
        <source>%1: the amounts of its account would be too large to add up, skipped</source>
        <translation>%1: die Beträge seines Kontos wären zu groß zum Addieren, übersprungen</translation>
    </message>
    <message>
        <source>%1: the field &quot;%2&quot; is missing, empty or not text, skipped</source>
        <translation>%1: Das Feld „%2“ fehlt, ist leer oder kein Text, übersprungen</translation>
    </message>
    <message>
        <source>%1: the field &quot;%2&quot; is out of range, skipped</source>
        <translation>%1: Das Feld „%2“ liegt außerhalb des zulässigen Bereichs, übersprungen</translation>
    </message>
</context>
<context>
    <name>BrioAccount::ShareMembersDialog</name>
    <message>
        <source>People with access</source>
        <translation>Personen mit Zugriff</translation>
    </message>
    <message>
        <source>Add people</source>
        <translation>Personen hinzufügen</translation>
    </message>
    <message>
        <source>Not shared with anyone yet.</source>
        <translation>Noch für niemanden freigegeben.</translation>
    </message>
    <message>
        <source>You are not in a group yet. Join one in your online account to share accounts.</source>
        <translation>Sie sind noch in keiner Gruppe. Treten Sie in Ihrem Online-Konto einer Gruppe bei, um Konten freizugeben.</translation>
    </message>
    <message>
        <source>All group members already have access</source>
        <translation>Alle Gruppenmitglieder haben bereits Zugriff</translation>
    </message>
    <message>
        <source>Share</source>
        <translation>Freigeben</translation>
    </message>
    <message>
        <source>Remove access</source>
        <translation>Zugriff entfernen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Remove access?</source>
        <translation>Zugriff entfernen?</translation>
    </message>
    <message>
        <source>%1 will no longer have access. Continue?</source>
        <translation>%1 hat dann keinen Zugriff mehr. Fortfahren?</translation>
    </message>
    <message>
        <source>Could not share with %1.</source>
        <translation>Freigabe für %1 fehlgeschlagen.</translation>
    </message>
    <message>
        <source>Could not remove %1.</source>
        <translation>%1 konnte nicht entfernt werden.</translation>
    </message>
    <message>
        <source>Showing the first %1; %2 more not shown.</source>
        <translation>Die ersten %1 werden angezeigt; %2 weitere nicht.</translation>
    </message>
</context>
<context>
    <name>BrioUpdate::UpdateDialog</name>
    <message>
        <source>Update available</source>
        <translation>Update verfügbar</translation>
    </message>
    <message>
        <source>A new version of %1 is available.</source>
        <translation>Eine neue Version von %1 ist verfügbar.</translation>
    </message>
    <message>
        <source>You have version %1. The latest version is %2.</source>
        <translation>Sie verwenden Version %1. Die neueste Version ist %2.</translation>
    </message>
    <message>
        <source>Loading release notes…</source>
        <translation>Versionshinweise werden geladen…</translation>
    </message>
    <message>
        <source>*Release notes are not available for this version.*</source>
        <translation>*Für diese Version sind keine Versionshinweise verfügbar.*</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Herunterladen</translation>
    </message>
    <message>
        <source>Later</source>
        <translation>Später</translation>
    </message>
</context>
<context>
    <name>BrioUpdate::WhatsNewDialog</name>
    <message>
        <source>What&apos;s New in %1 %2</source>
        <translation>Neuigkeiten in %1 %2</translation>
    </message>
    <message>
        <source>What&apos;s new in %1 %2</source>
        <translation>Neuigkeiten in %1 %2</translation>
    </message>
    <message>
        <source>You are running version %1</source>
        <translation>Sie verwenden Version %1</translation>
    </message>
    <message>
        <source>Download %1</source>
        <translation>%1 herunterladen</translation>
    </message>
</context>
<context>
    <name>CategoriesScreen</name>
    <message>
        <source>Categories</source>
        <translation>Kategorien</translation>
    </message>
    <message>
        <source>Search categories...</source>
        <translation>Kategorien durchsuchen...</translation>
    </message>
    <message>
        <source>+ New Category</source>
        <translation>+ Neue Kategorie</translation>
    </message>
    <message>
        <source>Delete Category</source>
        <translation>Kategorie löschen</translation>
    </message>
    <message>
        <source>Delete &quot;%1&quot;? Transactions using this category will become uncategorized.</source>
        <translation>„%1“ löschen? Buchungen mit dieser Kategorie sind danach ohne Kategorie.</translation>
    </message>
    <message>
        <source>&amp;New Category</source>
        <translation>&amp;Neue Kategorie</translation>
    </message>
    <message>
        <source>Add &amp;Subcategory</source>
        <translation>&amp;Unterkategorie hinzufügen</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Löschen</translation>
    </message>
    <message>
        <source>Category Not Saved</source>
        <translation>Kategorie nicht gespeichert</translation>
    </message>
    <message>
        <source>A category cannot be named &quot;%1&quot;: a name that starts like a transfer (&quot;Transfer:&quot;) is read as a transfer to an account.</source>
        <translation>Eine Kategorie kann nicht „%1“ heißen: Ein Name, der wie eine Umbuchung beginnt („Umbuchung:“), wird als Umbuchung auf ein Konto gelesen.</translation>
    </message>
</context>
<context>
    <name>CategoryFormDialog</name>
    <message>
        <source>Edit Category</source>
        <translation>Kategorie bearbeiten</translation>
    </message>
    <message>
        <source>New Category</source>
        <translation>Neue Kategorie</translation>
    </message>
    <message>
        <source>New Subcategory</source>
        <translation>Neue Unterkategorie</translation>
    </message>
    <message>
        <source>&amp;Parent:</source>
        <translation>Ü&amp;bergeordnet:</translation>
    </message>
    <message>
        <source>Category name</source>
        <translation>Kategoriename</translation>
    </message>
    <message>
        <source>&amp;Name:</source>
        <translation>&amp;Name:</translation>
    </message>
    <message>
        <source>Expense</source>
        <translation>Ausgabe</translation>
    </message>
    <message>
        <source>Income</source>
        <translation>Einnahme</translation>
    </message>
    <message>
        <source>Transfer</source>
        <translation>Umbuchung</translation>
    </message>
    <message>
        <source>&amp;Type:</source>
        <translation>&amp;Typ:</translation>
    </message>
    <message>
        <source>Tax-relevant</source>
        <translation>Steuerrelevant</translation>
    </message>
    <message>
        <source>Mark this category for inclusion in tax-time reports.</source>
        <translation>Diese Kategorie in Berichte für die Steuererklärung aufnehmen.</translation>
    </message>
    <message>
        <source>e.g. charitable_contributions, mortgage_interest</source>
        <translation>z. B. charitable_contributions, mortgage_interest</translation>
    </message>
    <message>
        <source>Tax &amp;Code:</source>
        <translation>Steuer&amp;code:</translation>
    </message>
</context>
<context>
    <name>CategoryTreeModel</name>
    <message>
        <source>Category</source>
        <translation>Kategorie</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Typ</translation>
    </message>
    <message>
        <source>Tax Code</source>
        <translation>Steuercode</translation>
    </message>
</context>
<context>
    <name>CsvReader</name>
    <message>
        <source>a quoted field is not closed</source>
        <translation>ein Feld in Anführungszeichen ist nicht geschlossen</translation>
    </message>
    <message>
        <source>Column %1</source>
        <translation>Spalte %1</translation>
    </message>
    <message>
        <source>no amount</source>
        <translation>kein Betrag</translation>
    </message>
    <message>
        <source>a quoted field runs on to line %1</source>
        <translation>ein Feld in Anführungszeichen läuft bis Zeile %1 weiter</translation>
    </message>
</context>
<context>
    <name>DateField</name>
    <message>
        <source>Choose a date</source>
        <translation>Datum auswählen</translation>
    </message>
    <message>
        <source>Type a date as %1.</source>
        <translation>Geben Sie ein Datum als %1 ein.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a date. Type it as %2.</source>
        <translation>„%1“ ist kein Datum. Geben Sie es als %2 ein.</translation>
    </message>
    <message>
        <source>D</source>
        <comment>stands for a digit of the day in a date pattern such as M/D/YYYY</comment>
        <translation>T</translation>
    </message>
    <message>
        <source>M</source>
        <comment>stands for a digit of the month in a date pattern such as M/D/YYYY</comment>
        <translation>M</translation>
    </message>
    <message>
        <source>Y</source>
        <comment>stands for a digit of the year in a date pattern such as M/D/YYYY</comment>
        <translation>J</translation>
    </message>
</context>
<context>
    <name>EntryChoices</name>
    <message>
        <source>Checking</source>
        <translation>Girokonto</translation>
    </message>
    <message>
        <source>Savings</source>
        <translation>Sparkonto</translation>
    </message>
    <message>
        <source>Credit Card</source>
        <translation>Kreditkarte</translation>
    </message>
    <message>
        <source>Cash</source>
        <translation>Bargeld</translation>
    </message>
    <message>
        <source>Investment</source>
        <translation>Depot</translation>
    </message>
    <message>
        <source>Other</source>
        <translation>Sonstiges</translation>
    </message>
    <message>
        <source>(No category)</source>
        <translation>(Keine Kategorie)</translation>
    </message>
    <message>
        <source>Transfer: %1</source>
        <translation>Umbuchung: %1</translation>
    </message>
    <message>
        <source>There is no category &quot;%1&quot;.</source>
        <translation>Es gibt keine Kategorie „%1“.</translation>
    </message>
    <message>
        <source>No account &quot;%1&quot; can take this transfer: transfers go between accounts of one currency.</source>
        <translation>Kein Konto „%1“ kann diese Umbuchung annehmen: Umbuchungen gehen nur zwischen Konten einer Währung.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; stands for more than one entry (%2): pick one from the list.</source>
        <translation>„%1“ passt zu mehr als einem Eintrag (%2): Wählen Sie einen aus der Liste.</translation>
    </message>
</context>
<context>
    <name>ImportNotices</name>
    <message>
        <source>Month first (M/D/Y)</source>
        <translation>Monat zuerst (M/T/J)</translation>
    </message>
    <message>
        <source>Day first (D/M/Y)</source>
        <translation>Tag zuerst (T/M/J)</translation>
    </message>
    <message>
        <source>&amp;Use These Settings</source>
        <translation>Diese Einstellungen &amp;verwenden</translation>
    </message>
    <message>
        <source>Import these rows &amp;without a category</source>
        <translation>Diese Zeilen &amp;ohne Kategorie importieren</translation>
    </message>
    <message>
        <source>These rows look like %1 with a decimal comma. Use these settings?</source>
        <translation>Diese Zeilen sehen nach %1 mit Dezimalkomma aus. Diese Einstellungen verwenden?</translation>
    </message>
    <message>
        <source>These rows look like %1. Use these settings?</source>
        <translation>Diese Zeilen sehen nach %1 aus. Diese Einstellungen verwenden?</translation>
    </message>
    <message>
        <source>These categories do not exist: %1</source>
        <translation>Diese Kategorien gibt es nicht: %1</translation>
    </message>
    <message numerus="yes">
        <source>Create %n new categor(y/ies)</source>
        <translation>
            <numerusform>%n neue Kategorie anlegen</numerusform>
            <numerusform>%n neue Kategorien anlegen</numerusform>
        </translation>
    </message>
    <message>
        <source>&amp;Date order:</source>
        <translation>&amp;Datumsreihenfolge:</translation>
    </message>
    <message>
        <source>The dates in %1 fit both month-first and day-first order and are read %2. Check the dates below and choose the date order.</source>
        <translation>Die Daten in %1 passen sowohl zur Reihenfolge Monat zuerst als auch Tag zuerst und werden %2 gelesen. Prüfen Sie die Daten unten und wählen Sie die Datumsreihenfolge.</translation>
    </message>
    <message>
        <source>day first (D/M/Y)</source>
        <translation>Tag zuerst (T/M/J)</translation>
    </message>
    <message>
        <source>month first (M/D/Y)</source>
        <translation>Monat zuerst (M/T/J)</translation>
    </message>
    <message>
        <source>%1 is not UTF-8 text; it was read as %2.</source>
        <translation>%1 ist kein UTF-8-Text; die Datei wurde als %2 gelesen.</translation>
    </message>
</context>
<context>
    <name>ImportPreviewModel</name>
    <message>
        <source>Split (%1 lines)</source>
        <translation>Splitbuchung (%1 Zeilen)</translation>
    </message>
    <message>
        <source>%1 (no such category)</source>
        <translation>%1 (Kategorie existiert nicht)</translation>
    </message>
    <message>
        <source>Likely duplicate</source>
        <translation>Wahrscheinlich doppelt</translation>
    </message>
    <message>
        <source>Account in file: %1</source>
        <translation>Konto in der Datei: %1</translation>
    </message>
    <message>
        <source>%1, line %2</source>
        <translation>%1, Zeile %2</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>Import</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>Payee</source>
        <translation>Zahlungsempfänger</translation>
    </message>
    <message>
        <source>Category</source>
        <translation>Kategorie</translation>
    </message>
    <message>
        <source>Memo</source>
        <translation>Notiz</translation>
    </message>
    <message>
        <source>Amount</source>
        <translation>Betrag</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Hinweis</translation>
    </message>
    <message>
        <source>%1 (new category)</source>
        <translation>%1 (neue Kategorie)</translation>
    </message>
</context>
<context>
    <name>ImportScreen</name>
    <message>
        <source>Add &amp;Files...</source>
        <translation>&amp;Dateien hinzufügen...</translation>
    </message>
    <message>
        <source>C&amp;lear</source>
        <translation>&amp;Leeren</translation>
    </message>
    <message>
        <source>No files chosen</source>
        <translation>Keine Dateien ausgewählt</translation>
    </message>
    <message>
        <source>New Account...</source>
        <translation>Neues Konto...</translation>
    </message>
    <message>
        <source>&amp;Target account:</source>
        <translation>&amp;Zielkonto:</translation>
    </message>
    <message>
        <source>CSV columns and formats</source>
        <translation>CSV-Spalten und -Formate</translation>
    </message>
    <message>
        <source>Comma</source>
        <translation>Komma</translation>
    </message>
    <message>
        <source>Semicolon</source>
        <translation>Semikolon</translation>
    </message>
    <message>
        <source>Tab</source>
        <translation>Tabulator</translation>
    </message>
    <message>
        <source>First row holds column names</source>
        <translation>Erste Zeile enthält Spaltennamen</translation>
    </message>
    <message>
        <source>Decimal comma (1.234,56)</source>
        <translation>Dezimalkomma (1.234,56)</translation>
    </message>
    <message>
        <source>Delimiter:</source>
        <translation>Trennzeichen:</translation>
    </message>
    <message>
        <source>Date format:</source>
        <translation>Datumsformat:</translation>
    </message>
    <message>
        <source>Date:</source>
        <translation>Datum:</translation>
    </message>
    <message>
        <source>Payee:</source>
        <translation>Zahlungsempfänger:</translation>
    </message>
    <message>
        <source>Memo:</source>
        <translation>Notiz:</translation>
    </message>
    <message>
        <source>Check number:</source>
        <translation>Schecknummer:</translation>
    </message>
    <message>
        <source>Amount:</source>
        <translation>Betrag:</translation>
    </message>
    <message>
        <source>Payment:</source>
        <translation>Ausgabe:</translation>
    </message>
    <message>
        <source>Deposit:</source>
        <translation>Einnahme:</translation>
    </message>
    <message>
        <source>Category:</source>
        <translation>Kategorie:</translation>
    </message>
    <message>
        <source>Rows that cannot be read:</source>
        <translation>Zeilen, die nicht gelesen werden können:</translation>
    </message>
    <message>
        <source>&amp;Import</source>
        <translation>&amp;Importieren</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Import Files</source>
        <translation>Dateien importieren</translation>
    </message>
    <message>
        <source>Bank files (*.csv *.qif *.txt);;All files (*)</source>
        <translation>Bankdateien (*.csv *.qif *.txt);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Opening Balance</source>
        <translation>Anfangssaldo</translation>
    </message>
    <message>
        <source>New Account</source>
        <translation>Neues Konto</translation>
    </message>
    <message>
        <source>The account could not be created.</source>
        <translation>Das Konto konnte nicht angelegt werden.</translation>
    </message>
    <message>
        <source>(none)</source>
        <translation>(keine)</translation>
    </message>
    <message>
        <source>%1, line %2: %3</source>
        <translation>%1, Zeile %2: %3</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>Import</translation>
    </message>
    <message numerus="yes">
        <source>Imported %n transaction(s)</source>
        <translation>
            <numerusform>%n Buchung importiert</numerusform>
            <numerusform>%n Buchungen importiert</numerusform>
        </translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Reading the files...</source>
        <translation>Dateien werden gelesen...</translation>
    </message>
    <message numerus="yes">
        <source>... and %n more</source>
        <translation>
            <numerusform>... und %n weitere</numerusform>
            <numerusform>... und %n weitere</numerusform>
        </translation>
    </message>
    <message>
        <source>Reading was cancelled.</source>
        <translation>Das Lesen wurde abgebrochen.</translation>
    </message>
    <message>
        <source>Importing transactions...</source>
        <translation>Buchungen werden importiert...</translation>
    </message>
    <message>
        <source>The import was cancelled; nothing was written.</source>
        <translation>Der Import wurde abgebrochen; es wurde nichts geschrieben.</translation>
    </message>
    <message numerus="yes">
        <source>%1 and made %n new categor(y/ies)</source>
        <translation>
            <numerusform>%1 und %n neue Kategorie angelegt</numerusform>
            <numerusform>%1 und %n neue Kategorien angelegt</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ImportService</name>
    <message>
        <source>%1 is larger than 50 MB and was not read.</source>
        <translation>%1 ist größer als 50 MB und wurde nicht gelesen.</translation>
    </message>
    <message>
        <source>%1 could not be read: %2</source>
        <translation>%1 konnte nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>%1 is neither a CSV nor a QIF file.</source>
        <translation>%1 ist weder eine CSV- noch eine QIF-Datei.</translation>
    </message>
    <message>
        <source>Split: the transfer to %1 is not kept</source>
        <translation>Splitbuchung: die Umbuchung nach %1 wird nicht übernommen</translation>
    </message>
    <message>
        <source>No other account named %1 in this currency: imported without transfer</source>
        <translation>Kein anderes Konto namens %1 in dieser Währung: ohne Umbuchung importiert</translation>
    </message>
    <message>
        <source>The target account does not exist.</source>
        <translation>Das Zielkonto existiert nicht.</translation>
    </message>
    <message>
        <source>The import could not be saved; nothing was imported.</source>
        <translation>Der Import konnte nicht gespeichert werden; es wurde nichts importiert.</translation>
    </message>
    <message>
        <source>The new categories could not be saved; nothing was imported.</source>
        <translation>Die neuen Kategorien konnten nicht gespeichert werden; es wurde nichts importiert.</translation>
    </message>
    <message>
        <source>its columns differ from those of %1; import it on its own</source>
        <translation>ihre Spalten weichen von denen in %1 ab; importieren Sie sie einzeln</translation>
    </message>
    <message>
        <source>holds bytes that are not valid UTF-8</source>
        <translation>enthält Bytes, die kein gültiges UTF-8 sind</translation>
    </message>
    <message>
        <source>holds the control character 0x%1</source>
        <translation>enthält das Steuerzeichen 0x%1</translation>
    </message>
    <message>
        <source>Line %1 of %2 could not be written: %3; nothing was imported.</source>
        <translation>Zeile %1 von %2 konnte nicht geschrieben werden: %3; es wurde nichts importiert.</translation>
    </message>
    <message>
        <source>its date is outside the years the register takes</source>
        <translation>ihr Datum liegt außerhalb der Jahre, die das Kassenbuch annimmt</translation>
    </message>
    <message>
        <source>its amount would take a balance beyond what can be kept</source>
        <translation>ihr Betrag würde einen Saldo über das Speicherbare hinaus bringen</translation>
    </message>
    <message>
        <source>the database refused it</source>
        <translation>die Datenbank hat sie abgelehnt</translation>
    </message>
</context>
<context>
    <name>ImportValues</name>
    <message>
        <source>no amount</source>
        <translation>kein Betrag</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not an amount</source>
        <translation>„%1“ ist kein Betrag</translation>
    </message>
    <message>
        <source>no date</source>
        <translation>kein Datum</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a date in the format %2</source>
        <translation>„%1“ ist kein Datum im Format %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a date</source>
        <translation>„%1“ ist kein Datum</translation>
    </message>
    <message>
        <source>not a valid date</source>
        <translation>kein gültiges Datum</translation>
    </message>
    <message>
        <source>date before 1900</source>
        <translation>Datum vor 1900</translation>
    </message>
    <message>
        <source>&quot;%1&quot; has a group separator after the decimal separator</source>
        <translation>„%1“ hat ein Tausendertrennzeichen nach dem Dezimaltrennzeichen</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not grouped in thousands</source>
        <translation>„%1“ ist nicht in Tausendergruppen gegliedert</translation>
    </message>
    <message>
        <source>date more than 20 years from now</source>
        <translation>Datum mehr als 20 Jahre in der Zukunft</translation>
    </message>
    <message>
        <source>amount too large: a register holds at most %1</source>
        <translation>Betrag zu groß: ein Register fasst höchstens %1</translation>
    </message>
    <message>
        <source>&quot;%1&quot; has more than one sign</source>
        <translation>„%1“ hat mehr als ein Vorzeichen</translation>
    </message>
    <message>
        <source>&quot;%1&quot; has more decimals than the currency has (%2)</source>
        <translation>„%1“ hat mehr Nachkommastellen als die Währung (%2)</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Tallyfern</source>
        <translation>Tallyfern</translation>
    </message>
    <message>
        <source>Sync complete</source>
        <translation>Synchronisierung abgeschlossen</translation>
    </message>
    <message>
        <source>Signed in to your Tallowmere Account</source>
        <translation>Bei Ihrem Tallowmere-Konto angemeldet</translation>
    </message>
    <message>
        <source>Signed in to your Tallowmere Account, but the sign-in could not be saved: it will not be kept after Tallyfern closes.</source>
        <translation>Bei Ihrem Tallowmere-Konto angemeldet, aber die Anmeldung konnte nicht gespeichert werden: Sie bleibt nach dem Beenden von Tallyfern nicht erhalten.</translation>
    </message>
    <message>
        <source>Sign In</source>
        <translation>Anmelden</translation>
    </message>
    <message>
        <source>No web browser could be opened. To sign in, open this address in a browser on this computer:</source>
        <translation>Es konnte kein Webbrowser geöffnet werden. Öffnen Sie zum Anmelden diese Adresse in einem Browser auf diesem Computer:</translation>
    </message>
    <message>
        <source>Sign-in failed: %1</source>
        <translation>Anmeldung fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>Signed out</source>
        <translation>Abgemeldet</translation>
    </message>
    <message>
        <source>Tallowmere Account</source>
        <translation>Tallowmere-Konto</translation>
    </message>
    <message>
        <source>Upload this computer&apos;s records to the online account %1?</source>
        <translation>Die Daten dieses Computers in das Online-Konto %1 hochladen?</translation>
    </message>
    <message>
        <source>Waiting for sign-in in your browser...</source>
        <translation>Warten auf die Anmeldung in Ihrem Browser...</translation>
    </message>
    <message>
        <source>%1 — Tallyfern</source>
        <translation>%1 — Tallyfern</translation>
    </message>
    <message>
        <source>Opening Balance</source>
        <translation>Anfangssaldo</translation>
    </message>
    <message>
        <source>New Account</source>
        <translation>Neues Konto</translation>
    </message>
    <message>
        <source>The account could not be created.</source>
        <translation>Das Konto konnte nicht angelegt werden.</translation>
    </message>
    <message>
        <source>Account &quot;%1&quot; created</source>
        <translation>Konto „%1“ angelegt</translation>
    </message>
    <message>
        <source>Edit Account</source>
        <translation>Konto bearbeiten</translation>
    </message>
    <message>
        <source>The account could not be saved.</source>
        <translation>Das Konto konnte nicht gespeichert werden.</translation>
    </message>
    <message>
        <source>Delete Account</source>
        <translation>Konto löschen</translation>
    </message>
    <message>
        <source>Delete the account &quot;%1&quot;?

Its transactions, recurring transactions and reconciliations are deleted with it.</source>
        <translation>Das Konto „%1“ löschen?

Seine Buchungen, wiederkehrenden Buchungen und Abstimmungen werden mit gelöscht.</translation>
    </message>
    <message numerus="yes">
        <source>%n transfer(s) link it to other accounts; their other side stays there as it is.</source>
        <translation>
            <numerusform>%n Umbuchung verbindet es mit anderen Konten; deren Gegenbuchung bleibt dort unverändert.</numerusform>
            <numerusform>%n Umbuchungen verbinden es mit anderen Konten; deren Gegenbuchungen bleiben dort unverändert.</numerusform>
        </translation>
    </message>
    <message>
        <source>The account could not be deleted.</source>
        <translation>Das Konto konnte nicht gelöscht werden.</translation>
    </message>
    <message>
        <source>Account &quot;%1&quot; deleted</source>
        <translation>Konto „%1“ gelöscht</translation>
    </message>
    <message>
        <source>Posted 1 recurring transaction</source>
        <translation>1 wiederkehrende Buchung gebucht</translation>
    </message>
    <message>
        <source>Posted %1 recurring transactions</source>
        <translation>%1 wiederkehrende Buchungen gebucht</translation>
    </message>
    <message>
        <source>Share Account</source>
        <translation>Konto freigeben</translation>
    </message>
    <message>
        <source>Sharing: %1</source>
        <translation>Freigabe: %1</translation>
    </message>
    <message>
        <source>Share this account with members of your Tallowmere family group. They&apos;ll see the same register, balances, and reconciliation history on their devices.</source>
        <translation>Geben Sie dieses Konto für Mitglieder Ihrer Tallowmere-Familiengruppe frei. Sie sehen dann auf ihren Geräten dasselbe Register, dieselben Salden und denselben Abstimmungsverlauf.</translation>
    </message>
    <message>
        <source>Shared with</source>
        <translation>Freigegeben für</translation>
    </message>
    <message>
        <source>Not shared with anyone yet.</source>
        <translation>Noch für niemanden freigegeben.</translation>
    </message>
    <message>
        <source>You are not in a family group yet. Create or join one in your Tallowmere account to share accounts.</source>
        <translation>Sie sind noch in keiner Familiengruppe. Erstellen Sie in Ihrem Tallowmere-Konto eine Gruppe oder treten Sie einer bei, um Konten freizugeben.</translation>
    </message>
    <message>
        <source>Share</source>
        <translation>Freigeben</translation>
    </message>
    <message>
        <source>Remove access</source>
        <translation>Zugriff entfernen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Share Failed</source>
        <translation>Freigabe fehlgeschlagen</translation>
    </message>
    <message>
        <source>Remove Failed</source>
        <translation>Entfernen fehlgeschlagen</translation>
    </message>
    <message>
        <source>Remove Share</source>
        <translation>Freigabe entfernen</translation>
    </message>
    <message>
        <source>Remove %1&apos;s access to this account?</source>
        <translation>Den Zugriff von %1 auf dieses Konto entfernen?</translation>
    </message>
    <message>
        <source>Sign-in cancelled</source>
        <translation>Anmeldung abgebrochen</translation>
    </message>
    <message>
        <source>You were signed out of your Tallowmere Account: the account service no longer accepts this computer&apos;s sign-in. Syncing has stopped; your records on this computer are kept.

To sync again, sign in via File › Tallowmere Account.</source>
        <translation>Sie wurden von Ihrem Tallowmere-Konto abgemeldet: Der Kontodienst akzeptiert die Anmeldung dieses Computers nicht mehr. Die Synchronisierung wurde beendet; Ihre Daten auf diesem Computer bleiben erhalten.

Um wieder zu synchronisieren, melden Sie sich über Datei › Tallowmere-Konto an.</translation>
    </message>
    <message>
        <source>Sync waits for your answer</source>
        <translation>Synchronisierung wartet auf Ihre Antwort</translation>
    </message>
</context>
<context>
    <name>MainWindowMenus</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>Import...</source>
        <translation>Importieren...</translation>
    </message>
    <message>
        <source>Tallowmere &amp;Account...</source>
        <translation>Tallowmere-&amp;Konto...</translation>
    </message>
    <message>
        <source>Sign &amp;Out of Tallowmere Account</source>
        <translation>Vom Tallowmere-Konto &amp;abmelden</translation>
    </message>
    <message>
        <source>&amp;Preferences...</source>
        <translation>&amp;Einstellungen...</translation>
    </message>
    <message>
        <source>Ctrl+,</source>
        <translation>Ctrl+,</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Account</source>
        <translation>&amp;Konto</translation>
    </message>
    <message>
        <source>&amp;New Account...</source>
        <translation>&amp;Neues Konto...</translation>
    </message>
    <message>
        <source>Ctrl+Shift+N</source>
        <translation>Ctrl+Shift+N</translation>
    </message>
    <message>
        <source>&amp;Edit Account...</source>
        <translation>Konto &amp;bearbeiten...</translation>
    </message>
    <message>
        <source>&amp;Delete Account...</source>
        <translation>Konto &amp;löschen...</translation>
    </message>
    <message>
        <source>&amp;Share Account...</source>
        <translation>Konto &amp;freigeben...</translation>
    </message>
    <message>
        <source>&amp;Transaction</source>
        <translation>&amp;Buchung</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>&amp;Theme</source>
        <translation>&amp;Design</translation>
    </message>
    <message>
        <source>&amp;System</source>
        <translation>&amp;System</translation>
    </message>
    <message>
        <source>&amp;Light</source>
        <translation>&amp;Hell</translation>
    </message>
    <message>
        <source>&amp;Dark</source>
        <translation>&amp;Dunkel</translation>
    </message>
    <message>
        <source>Sidebar &amp;Balances</source>
        <translation>&amp;Salden in der Seitenleiste</translation>
    </message>
    <message>
        <source>&amp;Current Balance</source>
        <translation>&amp;Aktueller Saldo</translation>
    </message>
    <message>
        <source>C&amp;leared Balance</source>
        <translation>&amp;Bestätigter Saldo</translation>
    </message>
    <message>
        <source>Balance as of &amp;Today</source>
        <translation>Saldo zum &amp;heutigen Tag</translation>
    </message>
    <message>
        <source>T&amp;wo-Line Register</source>
        <translation>&amp;Zweizeiliges Register</translation>
    </message>
    <message>
        <source>&amp;Newest First</source>
        <translation>&amp;Neueste zuerst</translation>
    </message>
    <message>
        <source>T&amp;ools</source>
        <translation>E&amp;xtras</translation>
    </message>
    <message>
        <source>Reconcile...</source>
        <translation>Abstimmen...</translation>
    </message>
    <message>
        <source>Reconciliation History...</source>
        <translation>Abstimmungsverlauf...</translation>
    </message>
    <message>
        <source>Recurring Transactions...</source>
        <translation>Wiederkehrende Buchungen...</translation>
    </message>
    <message>
        <source>Categories...</source>
        <translation>Kategorien...</translation>
    </message>
    <message>
        <source>Search Transactions...</source>
        <translation>Buchungen suchen...</translation>
    </message>
    <message>
        <source>Payees...</source>
        <translation>Zahlungsempfänger...</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>Check for &amp;Updates...</source>
        <translation>Nach &amp;Updates suchen...</translation>
    </message>
    <message>
        <source>What&apos;s &amp;New...</source>
        <translation>&amp;Neuigkeiten...</translation>
    </message>
    <message>
        <source>Send &amp;Feedback...</source>
        <translation>&amp;Feedback senden...</translation>
    </message>
    <message>
        <source>Send Feedback</source>
        <translation>Feedback senden</translation>
    </message>
    <message>
        <source>No web browser could be opened. Open this address in a browser:</source>
        <translation>Es konnte kein Webbrowser geöffnet werden. Öffnen Sie diese Adresse in einem Browser:</translation>
    </message>
    <message>
        <source>&amp;About Tallyfern</source>
        <translation>Ü&amp;ber Tallyfern</translation>
    </message>
    <message>
        <source>About Tallyfern</source>
        <translation>Über Tallyfern</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Tallyfern %1&lt;/h3&gt;&lt;p&gt;A check register for your desktop: accounts, transactions, transfers and splits, kept in one file on this computer.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Tallyfern %1&lt;/h3&gt;&lt;p&gt;Ein Kontoregister für Ihren Desktop: Konten, Buchungen, Umbuchungen und Splitbuchungen, gespeichert in einer Datei auf diesem Computer.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Show &amp;Running Balance</source>
        <translation>Laufenden Saldo &amp;anzeigen</translation>
    </message>
</context>
<context>
    <name>PayeeScreen</name>
    <message>
        <source>Payee Management</source>
        <translation>Zahlungsempfänger verwalten</translation>
    </message>
    <message>
        <source>Rename to:</source>
        <translation>Umbenennen in:</translation>
    </message>
    <message>
        <source>Rename Selected</source>
        <translation>Auswahl umbenennen</translation>
    </message>
    <message>
        <source>Merge Selected</source>
        <translation>Auswahl zusammenführen</translation>
    </message>
    <message>
        <source>Rename Failed</source>
        <translation>Umbenennen fehlgeschlagen</translation>
    </message>
    <message>
        <source>Rename Complete</source>
        <translation>Umbenennen abgeschlossen</translation>
    </message>
    <message numerus="yes">
        <source>Renamed %n transaction(s).</source>
        <translation>
            <numerusform>%n Buchung umbenannt.</numerusform>
            <numerusform>%n Buchungen umbenannt.</numerusform>
        </translation>
    </message>
    <message>
        <source>Merge</source>
        <translation>Zusammenführen</translation>
    </message>
    <message>
        <source>Select 2 or more payees to merge.</source>
        <translation>Wählen Sie zum Zusammenführen mindestens 2 Zahlungsempfänger aus.</translation>
    </message>
    <message>
        <source>Merge Payees</source>
        <translation>Zahlungsempfänger zusammenführen</translation>
    </message>
    <message>
        <source>Merge %1 payees into &quot;%2&quot;?</source>
        <translation>%1 Zahlungsempfänger zu „%2“ zusammenführen?</translation>
    </message>
    <message>
        <source>Merge Failed</source>
        <translation>Zusammenführen fehlgeschlagen</translation>
    </message>
    <message>
        <source>Merge Complete</source>
        <translation>Zusammenführen abgeschlossen</translation>
    </message>
    <message numerus="yes">
        <source>Merged %n transaction(s).</source>
        <translation>
            <numerusform>%n Buchung zusammengeführt.</numerusform>
            <numerusform>%n Buchungen zusammengeführt.</numerusform>
        </translation>
    </message>
    <message>
        <source>The opening balances could not be kept.</source>
        <translation>Die Anfangssalden konnten nicht gesichert werden.</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Failed to share account (HTTP %1)</source>
        <translation>Konto konnte nicht freigegeben werden (HTTP %1)</translation>
    </message>
    <message>
        <source>Checking for updates…</source>
        <translation>Suche nach Updates…</translation>
    </message>
    <message>
        <source>%1 is up to date (version %2)</source>
        <translation>%1 ist auf dem neuesten Stand (Version %2)</translation>
    </message>
    <message>
        <source>Update check failed: %1</source>
        <translation>Suche nach Updates fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>No release notes available for %1 %2</source>
        <translation>Keine Versionshinweise für %1 %2 verfügbar</translation>
    </message>
    <message>
        <source>Loading release notes…</source>
        <translation>Versionshinweise werden geladen…</translation>
    </message>
</context>
<context>
    <name>QifReader</name>
    <message>
        <source>a record outside of any section</source>
        <translation>ein Datensatz außerhalb eines Abschnitts</translation>
    </message>
    <message>
        <source>the section %1 is not read</source>
        <translation>der Abschnitt %1 wird nicht gelesen</translation>
    </message>
    <message>
        <source>the split amounts do not add up to the total</source>
        <translation>die Splitbeträge ergeben nicht die Gesamtsumme</translation>
    </message>
    <message>
        <source>&quot;%1&quot; shows a decimal comma, other amounts of the file a decimal point</source>
        <translation>„%1“ zeigt ein Dezimalkomma, andere Beträge der Datei einen Dezimalpunkt</translation>
    </message>
    <message>
        <source>&quot;%1&quot; shows a decimal point, other amounts of the file a decimal comma</source>
        <translation>„%1“ zeigt einen Dezimalpunkt, andere Beträge der Datei ein Dezimalkomma</translation>
    </message>
</context>
<context>
    <name>ReconciliationHistoryScreen</name>
    <message>
        <source>Reconciliation History</source>
        <translation>Abstimmungsverlauf</translation>
    </message>
    <message>
        <source>Past reconciliations for this account.</source>
        <translation>Frühere Abstimmungen dieses Kontos.</translation>
    </message>
    <message>
        <source>Statement Date</source>
        <translation>Auszugsdatum</translation>
    </message>
    <message>
        <source>Statement Balance</source>
        <translation>Saldo laut Auszug</translation>
    </message>
    <message>
        <source>Reconciled Balance</source>
        <translation>Abgestimmter Saldo</translation>
    </message>
    <message>
        <source>Completed</source>
        <translation>Abgeschlossen</translation>
    </message>
    <message>
        <source>No reconciliations yet. Reconcile your account from the register to see the history here.</source>
        <translation>Noch keine Abstimmungen. Stimmen Sie Ihr Konto vom Register aus ab, um hier den Verlauf zu sehen.</translation>
    </message>
    <message>
        <source>Reconciliation History — %1</source>
        <translation>Abstimmungsverlauf — %1</translation>
    </message>
</context>
<context>
    <name>ReconciliationScreen</name>
    <message>
        <source>Reconcile Account</source>
        <translation>Konto abstimmen</translation>
    </message>
    <message>
        <source>Statement Date:</source>
        <translation>Auszugsdatum:</translation>
    </message>
    <message>
        <source>Statement Balance:</source>
        <translation>Saldo laut Auszug:</translation>
    </message>
    <message>
        <source>Previous Balance</source>
        <translation>Vorheriger Saldo</translation>
    </message>
    <message>
        <source>Cleared Deposits</source>
        <translation>Bestätigte Einnahmen</translation>
    </message>
    <message>
        <source>Cleared Withdrawals</source>
        <translation>Bestätigte Ausgaben</translation>
    </message>
    <message>
        <source>Cleared Balance</source>
        <translation>Bestätigter Saldo</translation>
    </message>
    <message>
        <source>Statement Balance</source>
        <translation>Saldo laut Auszug</translation>
    </message>
    <message>
        <source>Difference</source>
        <translation>Differenz</translation>
    </message>
    <message>
        <source>Finish Reconciliation</source>
        <translation>Abstimmung abschließen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Add Transaction</source>
        <translation>Buchung hinzufügen</translation>
    </message>
    <message>
        <source>Add a transaction (%1)</source>
        <translation>Eine Buchung hinzufügen (%1)</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Bearbeiten</translation>
    </message>
    <message>
        <source>Edit selected transaction (F2)</source>
        <translation>Ausgewählte Buchung bearbeiten (F2)</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Delete selected transaction (Del)</source>
        <translation>Ausgewählte Buchung löschen (Entf)</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>Payee</source>
        <translation>Zahlungsempfänger</translation>
    </message>
    <message>
        <source>Amount</source>
        <translation>Betrag</translation>
    </message>
    <message>
        <source>Clr</source>
        <translation>Best.</translation>
    </message>
    <message>
        <source>Reconciliation Complete</source>
        <translation>Abstimmung abgeschlossen</translation>
    </message>
    <message>
        <source>Account reconciled successfully.</source>
        <translation>Das Konto wurde erfolgreich abgestimmt.</translation>
    </message>
    <message>
        <source>Transactions Changed</source>
        <translation>Buchungen geändert</translation>
    </message>
    <message>
        <source>Some of the ticked transactions were changed or deleted since they were shown. Nothing was reconciled; the list has been read again. Check the difference and finish again.</source>
        <translation>Einige der markierten Buchungen wurden seit der Anzeige geändert oder gelöscht. Es wurde nichts abgestimmt; die Liste wurde neu eingelesen. Prüfen Sie die Differenz und schließen Sie erneut ab.</translation>
    </message>
    <message>
        <source>Reconciliation Failed</source>
        <translation>Abstimmung fehlgeschlagen</translation>
    </message>
    <message>
        <source>The reconciliation could not be saved. Nothing was changed.</source>
        <translation>Die Abstimmung konnte nicht gespeichert werden. Es wurde nichts geändert.</translation>
    </message>
    <message>
        <source>Save Failed</source>
        <translation>Speichern fehlgeschlagen</translation>
    </message>
    <message>
        <source>The transaction could not be saved.</source>
        <translation>Die Buchung konnte nicht gespeichert werden.</translation>
    </message>
    <message>
        <source>Delete Transaction</source>
        <translation>Buchung löschen</translation>
    </message>
    <message>
        <source>Delete the transaction for %1?</source>
        <translation>Die Buchung für %1 löschen?</translation>
    </message>
    <message>
        <source>Delete Failed</source>
        <translation>Löschen fehlgeschlagen</translation>
    </message>
    <message>
        <source>The transaction could not be deleted.</source>
        <translation>Die Buchung konnte nicht gelöscht werden.</translation>
    </message>
</context>
<context>
    <name>RecurringFormDialog</name>
    <message>
        <source>Last day</source>
        <translation>Letzter Tag</translation>
    </message>
    <message>
        <source>Edit Recurring Transaction</source>
        <translation>Wiederkehrende Buchung bearbeiten</translation>
    </message>
    <message>
        <source>New Recurring Transaction</source>
        <translation>Neue wiederkehrende Buchung</translation>
    </message>
    <message>
        <source>Memorize Transaction</source>
        <translation>Buchung merken</translation>
    </message>
    <message>
        <source>Account:</source>
        <translation>Konto:</translation>
    </message>
    <message>
        <source>Payment</source>
        <translation>Ausgabe</translation>
    </message>
    <message>
        <source>Deposit</source>
        <translation>Einnahme</translation>
    </message>
    <message>
        <source>Type:</source>
        <translation>Typ:</translation>
    </message>
    <message>
        <source>Start typing to search payees...</source>
        <translation>Zahlungsempfänger suchen...</translation>
    </message>
    <message>
        <source>Payee:</source>
        <translation>Zahlungsempfänger:</translation>
    </message>
    <message>
        <source>Amount:</source>
        <translation>Betrag:</translation>
    </message>
    <message>
        <source>Category:</source>
        <translation>Kategorie:</translation>
    </message>
    <message>
        <source>Optional</source>
        <translation>Optional</translation>
    </message>
    <message>
        <source>Memo:</source>
        <translation>Notiz:</translation>
    </message>
    <message>
        <source>Daily</source>
        <translation>Täglich</translation>
    </message>
    <message>
        <source>Weekly</source>
        <translation>Wöchentlich</translation>
    </message>
    <message>
        <source>Bi-weekly</source>
        <translation>Zweiwöchentlich</translation>
    </message>
    <message>
        <source>Monthly</source>
        <translation>Monatlich</translation>
    </message>
    <message>
        <source>Semi-monthly</source>
        <translation>Halbmonatlich</translation>
    </message>
    <message>
        <source>Quarterly</source>
        <translation>Vierteljährlich</translation>
    </message>
    <message>
        <source>Semi-annual</source>
        <translation>Halbjährlich</translation>
    </message>
    <message>
        <source>Annual</source>
        <translation>Jährlich</translation>
    </message>
    <message>
        <source>Frequency:</source>
        <translation>Häufigkeit:</translation>
    </message>
    <message>
        <source>Repeat every:</source>
        <translation>Wiederholen alle:</translation>
    </message>
    <message>
        <source>First day:</source>
        <translation>Erster Tag:</translation>
    </message>
    <message>
        <source>Second day:</source>
        <translation>Zweiter Tag:</translation>
    </message>
    <message>
        <source>Start Date:</source>
        <translation>Startdatum:</translation>
    </message>
    <message>
        <source>Has end date</source>
        <translation>Mit Enddatum</translation>
    </message>
    <message>
        <source>End Date:</source>
        <translation>Enddatum:</translation>
    </message>
    <message>
        <source>Auto-post when due</source>
        <translation>Bei Fälligkeit automatisch buchen</translation>
    </message>
    <message>
        <source> days</source>
        <translation> Tage</translation>
    </message>
    <message>
        <source>Enter in advance:</source>
        <translation>Im Voraus buchen:</translation>
    </message>
    <message>
        <source>Active</source>
        <translation>Aktiv</translation>
    </message>
    <message>
        <source>(none)</source>
        <translation>(keine)</translation>
    </message>
    <message>
        <source>day</source>
        <translation>Tag</translation>
    </message>
    <message>
        <source>days</source>
        <translation>Tage</translation>
    </message>
    <message>
        <source>week</source>
        <translation>Woche</translation>
    </message>
    <message>
        <source>weeks</source>
        <translation>Wochen</translation>
    </message>
    <message>
        <source>month</source>
        <translation>Monat</translation>
    </message>
    <message>
        <source>months</source>
        <translation>Monate</translation>
    </message>
    <message>
        <source>quarter</source>
        <translation>Quartal</translation>
    </message>
    <message>
        <source>quarters</source>
        <translation>Quartale</translation>
    </message>
    <message>
        <source>year</source>
        <translation>Jahr</translation>
    </message>
    <message>
        <source>years</source>
        <translation>Jahre</translation>
    </message>
    <message>
        <source>Create an account first: a recurring transaction is posted to an account.</source>
        <translation>Legen Sie zuerst ein Konto an: Eine wiederkehrende Buchung wird auf ein Konto gebucht.</translation>
    </message>
</context>
<context>
    <name>RecurringModel</name>
    <message>
        <source>Yes</source>
        <translation>Ja</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Nein</translation>
    </message>
    <message>
        <source>Active</source>
        <translation>Aktiv</translation>
    </message>
    <message>
        <source>Inactive</source>
        <translation>Inaktiv</translation>
    </message>
    <message>
        <source>Account</source>
        <translation>Konto</translation>
    </message>
    <message>
        <source>Payee</source>
        <translation>Zahlungsempfänger</translation>
    </message>
    <message>
        <source>Amount</source>
        <translation>Betrag</translation>
    </message>
    <message>
        <source>Frequency</source>
        <translation>Häufigkeit</translation>
    </message>
    <message>
        <source>Next Due</source>
        <translation>Fällig am</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>Automatisch</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Semi-monthly (%1 &amp; %2)</source>
        <translation>Halbmonatlich (%1 und %2)</translation>
    </message>
    <message>
        <source>Every %1 days</source>
        <translation>Alle %1 Tage</translation>
    </message>
    <message>
        <source>Every %1 weeks</source>
        <translation>Alle %1 Wochen</translation>
    </message>
    <message>
        <source>Every %1 months</source>
        <translation>Alle %1 Monate</translation>
    </message>
    <message>
        <source>Every %1 years</source>
        <translation>Alle %1 Jahre</translation>
    </message>
    <message>
        <source>%1 (×%2)</source>
        <translation>%1 (×%2)</translation>
    </message>
    <message>
        <source>last day</source>
        <translation>letzter Tag</translation>
    </message>
</context>
<context>
    <name>RecurringScreen</name>
    <message>
        <source>Recurring Transactions</source>
        <translation>Wiederkehrende Buchungen</translation>
    </message>
    <message>
        <source>Confirm All Due</source>
        <translation>Alle fälligen bestätigen</translation>
    </message>
    <message>
        <source>Enter Next 7 Days</source>
        <translation>Nächste 7 Tage buchen</translation>
    </message>
    <message>
        <source>New Recurring</source>
        <translation>Neue wiederkehrende Buchung</translation>
    </message>
    <message>
        <source>(%1 due)</source>
        <translation>(%1 fällig)</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Confirm</source>
        <translation>Bes&amp;tätigen</translation>
    </message>
    <message>
        <source>&amp;Skip</source>
        <translation>Über&amp;springen</translation>
    </message>
    <message>
        <source>Enter &amp;Early...</source>
        <translation>&amp;Vorzeitig buchen...</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Löschen</translation>
    </message>
    <message>
        <source>Enter all recurring transactions due in the next 7 days? They are dated their due dates and you can edit or delete them later.</source>
        <translation>Alle in den nächsten 7 Tagen fälligen wiederkehrenden Buchungen buchen? Sie erhalten ihr jeweiliges Fälligkeitsdatum, und Sie können sie später bearbeiten oder löschen.</translation>
    </message>
    <message>
        <source>Enter Early</source>
        <translation>Vorzeitig buchen</translation>
    </message>
    <message>
        <source>Enter &quot;%1&quot; now, dated %2? The transaction is dated its due date and you can edit or delete it later.</source>
        <translation>„%1“ jetzt mit Datum %2 buchen? Die Buchung erhält ihr Fälligkeitsdatum, und Sie können sie später bearbeiten oder löschen.</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Delete recurring &quot;%1&quot;?</source>
        <translation>Wiederkehrende Buchung „%1“ löschen?</translation>
    </message>
</context>
<context>
    <name>RegisterCells</name>
    <message>
        <source>Reconciled</source>
        <translation>Abgestimmt</translation>
    </message>
    <message>
        <source>Cleared</source>
        <translation>Bestätigt</translation>
    </message>
    <message>
        <source>Not cleared</source>
        <translation>Nicht bestätigt</translation>
    </message>
</context>
<context>
    <name>RegisterCommands</name>
    <message>
        <source>&amp;New Transaction...</source>
        <translation>&amp;Neue Buchung...</translation>
    </message>
    <message>
        <source>Ctrl+N</source>
        <translation>Ctrl+N</translation>
    </message>
    <message>
        <source>&amp;Edit Transaction...</source>
        <translation>Buchung &amp;bearbeiten...</translation>
    </message>
    <message>
        <source>Ctrl+E</source>
        <translation>Ctrl+E</translation>
    </message>
    <message>
        <source>De&amp;tails...</source>
        <translation>De&amp;tails...</translation>
    </message>
    <message>
        <source>Ctrl+I</source>
        <translation>Ctrl+I</translation>
    </message>
    <message>
        <source>&amp;Splits...</source>
        <translation>&amp;Aufteilen...</translation>
    </message>
    <message>
        <source>Ctrl+Shift+S</source>
        <translation>Ctrl+Shift+S</translation>
    </message>
    <message>
        <source>D&amp;uplicate...</source>
        <translation>Dupli&amp;zieren...</translation>
    </message>
    <message>
        <source>Ctrl+D</source>
        <translation>Ctrl+D</translation>
    </message>
    <message>
        <source>&amp;Memorize Transaction...</source>
        <translation>Buchung &amp;merken...</translation>
    </message>
    <message>
        <source>Ctrl+M</source>
        <translation>Ctrl+M</translation>
    </message>
    <message>
        <source>Toggle &amp;Cleared</source>
        <translation>Bestätigt &amp;umschalten</translation>
    </message>
    <message>
        <source>Ctrl+K</source>
        <translation>Ctrl+K</translation>
    </message>
    <message>
        <source>&amp;Delete Transaction...</source>
        <translation>Buchung &amp;löschen...</translation>
    </message>
    <message>
        <source>Ctrl+Del</source>
        <translation>Ctrl+Del</translation>
    </message>
    <message>
        <source>&amp;Filter...</source>
        <translation>&amp;Filtern...</translation>
    </message>
    <message>
        <source>Ctrl+F</source>
        <translation>Ctrl+F</translation>
    </message>
    <message>
        <source>C&amp;lear Filter</source>
        <translation>Filter &amp;entfernen</translation>
    </message>
    <message>
        <source>Ctrl+Shift+F</source>
        <translation>Ctrl+Shift+F</translation>
    </message>
    <message>
        <source>Save Failed</source>
        <translation>Speichern fehlgeschlagen</translation>
    </message>
    <message>
        <source>The transaction could not be saved.</source>
        <translation>Die Buchung konnte nicht gespeichert werden.</translation>
    </message>
    <message>
        <source>Cannot memorize: source transaction has an invalid date</source>
        <translation>Merken nicht möglich: Die Ausgangsbuchung hat ein ungültiges Datum</translation>
    </message>
    <message>
        <source>Transaction memorized as recurring</source>
        <translation>Buchung als wiederkehrende Buchung gemerkt</translation>
    </message>
    <message>
        <source>The transaction could not be memorized</source>
        <translation>Die Buchung konnte nicht gemerkt werden</translation>
    </message>
    <message>
        <source>Transaction deleted</source>
        <translation>Buchung gelöscht</translation>
    </message>
</context>
<context>
    <name>RegisterDelegate</name>
    <message>
        <source>There is no category &quot;%1&quot;. Press Tab to create it.</source>
        <translation>Es gibt keine Kategorie „%1“. Drücken Sie Tab, um sie anzulegen.</translation>
    </message>
    <message>
        <source>New Category</source>
        <translation>Neue Kategorie</translation>
    </message>
    <message>
        <source>Create category &quot;%1&quot;?</source>
        <translation>Kategorie „%1“ anlegen?</translation>
    </message>
    <message>
        <source>The category &quot;%1&quot; could not be created.</source>
        <translation>Die Kategorie „%1“ konnte nicht angelegt werden.</translation>
    </message>
    <message>
        <source>New transaction…</source>
        <translation>Neue Buchung…</translation>
    </message>
    <message>
        <source>Category</source>
        <translation>Kategorie</translation>
    </message>
</context>
<context>
    <name>RegisterEntryRow</name>
    <message>
        <source>Save Failed</source>
        <translation>Speichern fehlgeschlagen</translation>
    </message>
    <message>
        <source>The transaction could not be saved. Check the transfer account and try again.</source>
        <translation>Die Buchung konnte nicht gespeichert werden. Prüfen Sie das Umbuchungskonto und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>Transaction added</source>
        <translation>Buchung hinzugefügt</translation>
    </message>
</context>
<context>
    <name>RegisterFilter</name>
    <message>
        <source>containing &quot;%1&quot;</source>
        <translation>mit „%1“</translation>
    </message>
    <message>
        <source>from %1 to %2</source>
        <translation>vom %1 bis %2</translation>
    </message>
    <message>
        <source>from %1</source>
        <translation>ab %1</translation>
    </message>
    <message>
        <source>through %1</source>
        <translation>bis %1</translation>
    </message>
    <message>
        <source>cleared</source>
        <translation>bestätigt</translation>
    </message>
    <message>
        <source>not cleared</source>
        <translation>nicht bestätigt</translation>
    </message>
</context>
<context>
    <name>RegisterFilterDialog</name>
    <message>
        <source>Filter Register</source>
        <translation>Register filtern</translation>
    </message>
    <message>
        <source>Payee, memo, check number or category</source>
        <translation>Zahlungsempfänger, Notiz, Schecknummer oder Kategorie</translation>
    </message>
    <message>
        <source>&amp;Text:</source>
        <translation>&amp;Text:</translation>
    </message>
    <message>
        <source>&amp;From:</source>
        <translation>&amp;Von:</translation>
    </message>
    <message>
        <source>T&amp;o:</source>
        <translation>&amp;Bis:</translation>
    </message>
    <message>
        <source>All transactions</source>
        <translation>Alle Buchungen</translation>
    </message>
    <message>
        <source>Cleared only</source>
        <translation>Nur bestätigte</translation>
    </message>
    <message>
        <source>Not cleared only</source>
        <translation>Nur nicht bestätigte</translation>
    </message>
    <message>
        <source>&amp;Status:</source>
        <translation>&amp;Status:</translation>
    </message>
</context>
<context>
    <name>RegisterHeading</name>
    <message>
        <source>Cleared balance</source>
        <translation>Bestätigter Saldo</translation>
    </message>
    <message>
        <source>Current balance</source>
        <translation>Aktueller Saldo</translation>
    </message>
    <message>
        <source>No account selected</source>
        <translation>Kein Konto ausgewählt</translation>
    </message>
</context>
<context>
    <name>RegisterModel</name>
    <message>
        <source>(deleted account)</source>
        <translation>(gelöschtes Konto)</translation>
    </message>
    <message>
        <source>Transfer from %1</source>
        <translation>Umbuchung von %1</translation>
    </message>
    <message>
        <source>Transfer to %1</source>
        <translation>Umbuchung nach %1</translation>
    </message>
    <message>
        <source>— Split —</source>
        <translation>— Splitbuchung —</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>Chk #</source>
        <translation>Scheck-Nr.</translation>
    </message>
    <message>
        <source>Payee / Memo</source>
        <translation>Zahlungsempfänger / Notiz</translation>
    </message>
    <message>
        <source>Payee</source>
        <translation>Zahlungsempfänger</translation>
    </message>
    <message>
        <source>Category</source>
        <translation>Kategorie</translation>
    </message>
    <message>
        <source>Memo</source>
        <translation>Notiz</translation>
    </message>
    <message>
        <source>Payment</source>
        <translation>Ausgabe</translation>
    </message>
    <message>
        <source>Deposit</source>
        <translation>Einnahme</translation>
    </message>
    <message>
        <source>Clr</source>
        <translation>Best.</translation>
    </message>
    <message>
        <source>Balance</source>
        <translation>Saldo</translation>
    </message>
    <message>
        <source>R</source>
        <comment>mark of a reconciled transaction in the cleared column</comment>
        <translation>A</translation>
    </message>
</context>
<context>
    <name>RegisterScreen</name>
    <message>
        <source>Clear Filter</source>
        <translation>Filter entfernen</translation>
    </message>
    <message>
        <source>The transactions of this account could not be read from the database.</source>
        <translation>Die Buchungen dieses Kontos konnten nicht aus der Datenbank gelesen werden.</translation>
    </message>
    <message>
        <source>Showing transactions %1.</source>
        <translation>Gefilterte Buchungen: %1.</translation>
    </message>
    <message>
        <source>A reconciled transaction stays cleared.</source>
        <translation>Eine abgestimmte Buchung bleibt bestätigt.</translation>
    </message>
    <message>
        <source>The transaction could not be saved.</source>
        <translation>Die Buchung konnte nicht gespeichert werden.</translation>
    </message>
    <message>
        <source>The amounts of %1 are too large to add up.</source>
        <translation>Die Beträge von %1 sind zu groß, um sie zusammenzurechnen.</translation>
    </message>
</context>
<context>
    <name>SearchScreen</name>
    <message>
        <source>Search payee, memo, check number...</source>
        <translation>Zahlungsempfänger, Notiz, Schecknummer suchen...</translation>
    </message>
    <message>
        <source>Account:</source>
        <translation>Konto:</translation>
    </message>
    <message>
        <source>All Accounts</source>
        <translation>Alle Konten</translation>
    </message>
    <message>
        <source>Category:</source>
        <translation>Kategorie:</translation>
    </message>
    <message>
        <source>All Categories</source>
        <translation>Alle Kategorien</translation>
    </message>
    <message>
        <source>Date range:</source>
        <translation>Zeitraum:</translation>
    </message>
    <message>
        <source>to</source>
        <translation>bis</translation>
    </message>
    <message>
        <source>Cleared only</source>
        <translation>Nur bestätigte</translation>
    </message>
    <message>
        <source>Edit &amp;Splits...</source>
        <translation>&amp;Splitbuchung bearbeiten...</translation>
    </message>
    <message>
        <source>&amp;Split Transaction...</source>
        <translation>Buchung &amp;aufteilen...</translation>
    </message>
    <message>
        <source>&amp;Edit in Dialog...</source>
        <translation>Im Dialog &amp;bearbeiten...</translation>
    </message>
    <message>
        <source>Mark &amp;Uncleared</source>
        <translation>Als nicht bestätigt &amp;markieren</translation>
    </message>
    <message>
        <source>Mark &amp;Cleared</source>
        <translation>Als bestätigt &amp;markieren</translation>
    </message>
    <message>
        <source>&amp;Delete...</source>
        <translation>&amp;Löschen...</translation>
    </message>
    <message>
        <source>Show De&amp;tails...</source>
        <translation>&amp;Details anzeigen...</translation>
    </message>
    <message>
        <source>Du&amp;plicate...</source>
        <translation>Dupli&amp;zieren...</translation>
    </message>
</context>
<context>
    <name>SettingsDataSyncPage</name>
    <message>
        <source>Data &amp; Sync</source>
        <translation>Daten &amp; Synchronisierung</translation>
    </message>
    <message>
        <source>Sync</source>
        <translation>Synchronisierung</translation>
    </message>
    <message>
        <source>Keep your tallyfern in sync across all your devices.</source>
        <translation>Halten Sie Ihre Tallyfern-Daten auf allen Ihren Geräten synchron.</translation>
    </message>
    <message>
        <source>Sync Now</source>
        <translation>Jetzt synchronisieren</translation>
    </message>
    <message>
        <source>Force Full Sync</source>
        <translation>Vollständige Synchronisierung erzwingen</translation>
    </message>
    <message>
        <source>Backup &amp; Restore</source>
        <translation>Sicherung &amp; Wiederherstellung</translation>
    </message>
    <message>
        <source>Save or restore your data to a portable backup file.</source>
        <translation>Sichern Sie Ihre Daten in einer portablen Sicherungsdatei oder stellen Sie sie daraus wieder her.</translation>
    </message>
    <message>
        <source>Export Backup</source>
        <translation>Sicherung exportieren</translation>
    </message>
    <message>
        <source>Import Backup</source>
        <translation>Sicherung importieren</translation>
    </message>
    <message>
        <source>Deleted Accounts</source>
        <translation>Gelöschte Konten</translation>
    </message>
    <message>
        <source>Accounts you&apos;ve deleted can be restored here.</source>
        <translation>Hier können Sie gelöschte Konten wiederherstellen.</translation>
    </message>
    <message>
        <source>Restore Selected</source>
        <translation>Auswahl wiederherstellen</translation>
    </message>
    <message>
        <source>Not signed in.
Sign in via File › Tallowmere Account to enable sync.</source>
        <translation>Nicht angemeldet.
Melden Sie sich über Datei › Tallowmere-Konto an, um die Synchronisierung zu aktivieren.</translation>
    </message>
    <message>
        <source>&lt;b&gt;Signed in as:&lt;/b&gt; %1&lt;br&gt;&lt;b&gt;Status:&lt;/b&gt; &lt;span style=&quot;color:%2&quot;&gt;%3&lt;/span&gt;</source>
        <translation>&lt;b&gt;Angemeldet als:&lt;/b&gt; %1&lt;br&gt;&lt;b&gt;Status:&lt;/b&gt; &lt;span style=&quot;color:%2&quot;&gt;%3&lt;/span&gt;</translation>
    </message>
    <message>
        <source>Last synced: %1</source>
        <translation>Zuletzt synchronisiert: %1</translation>
    </message>
    <message>
        <source>Never synced</source>
        <translation>Noch nie synchronisiert</translation>
    </message>
    <message>
        <source>
Error: %1</source>
        <translation>
Fehler: %1</translation>
    </message>
    <message>
        <source>Syncing...</source>
        <translation>Wird synchronisiert...</translation>
    </message>
    <message>
        <source>This will re-upload every local row to the server and re-download all server data. Use this if data appears out of sync between devices.

Continue?</source>
        <translation>Dadurch werden alle lokalen Daten erneut auf den Server hochgeladen und alle Serverdaten erneut heruntergeladen. Verwenden Sie dies, wenn die Daten zwischen Geräten nicht übereinstimmen.

Fortfahren?</translation>
    </message>
    <message>
        <source>ZIP Files (*.zip)</source>
        <translation>ZIP-Dateien (*.zip)</translation>
    </message>
    <message>
        <source>Exporting...</source>
        <translation>Wird exportiert...</translation>
    </message>
    <message>
        <source>Backup Complete</source>
        <translation>Sicherung abgeschlossen</translation>
    </message>
    <message>
        <source>Backup saved to:
%1</source>
        <translation>Sicherung gespeichert unter:
%1</translation>
    </message>
    <message>
        <source>Backup Failed</source>
        <translation>Sicherung fehlgeschlagen</translation>
    </message>
    <message>
        <source>Could not write to:
%1</source>
        <translation>Schreiben nicht möglich:
%1</translation>
    </message>
    <message>
        <source>Replace all with backup data</source>
        <translation>Alles durch die Sicherungsdaten ersetzen</translation>
    </message>
    <message>
        <source>Keep newer (compare timestamps)</source>
        <translation>Neuere behalten (Zeitstempel vergleichen)</translation>
    </message>
    <message>
        <source>Skip existing items</source>
        <translation>Vorhandene Einträge überspringen</translation>
    </message>
    <message>
        <source>Import Mode</source>
        <translation>Importmodus</translation>
    </message>
    <message>
        <source>How should existing data be handled?</source>
        <translation>Wie sollen vorhandene Daten behandelt werden?</translation>
    </message>
    <message>
        <source>Import Failed</source>
        <translation>Import fehlgeschlagen</translation>
    </message>
    <message>
        <source>Could not read file.</source>
        <translation>Die Datei konnte nicht gelesen werden.</translation>
    </message>
    <message>
        <source>Importing...</source>
        <translation>Wird importiert...</translation>
    </message>
    <message>
        <source>Imported %1 items, skipped %2.</source>
        <translation>%1 Einträge importiert, %2 übersprungen.</translation>
    </message>
    <message>
        <source>Import Complete</source>
        <translation>Import abgeschlossen</translation>
    </message>
    <message>
        <source>Exporting backup...</source>
        <translation>Sicherung wird exportiert...</translation>
    </message>
    <message>
        <source>Restoring backup...</source>
        <translation>Sicherung wird wiederhergestellt...</translation>
    </message>
    <message>
        <source>Not restored:</source>
        <translation>Nicht wiederhergestellt:</translation>
    </message>
    <message numerus="yes">
        <source>... and %n more</source>
        <translation>
            <numerusform>... und %n weitere</numerusform>
            <numerusform>... und %n weitere</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>SettingsScreen</name>
    <message>
        <source>General</source>
        <translation>Allgemein</translation>
    </message>
    <message>
        <source>Register</source>
        <translation>Register</translation>
    </message>
    <message>
        <source>Data &amp; Sync</source>
        <translation>Daten &amp; Synchronisierung</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>Appearance</source>
        <translation>Darstellung</translation>
    </message>
    <message>
        <source>Control how Tallowmere Tallyfern looks.</source>
        <translation>Legen Sie fest, wie Tallowmere Tallyfern aussieht.</translation>
    </message>
    <message>
        <source>System Default</source>
        <translation>Systemstandard</translation>
    </message>
    <message>
        <source>Light</source>
        <translation>Hell</translation>
    </message>
    <message>
        <source>Dark</source>
        <translation>Dunkel</translation>
    </message>
    <message>
        <source>Theme</source>
        <translation>Design</translation>
    </message>
    <message>
        <source>Choose accent color</source>
        <translation>Akzentfarbe auswählen</translation>
    </message>
    <message>
        <source>Accent color</source>
        <translation>Akzentfarbe</translation>
    </message>
    <message>
        <source>Small</source>
        <translation>Klein</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>Medium</source>
        <translation>Mittel</translation>
    </message>
    <message>
        <source>Large</source>
        <translation>Groß</translation>
    </message>
    <message>
        <source>Extra Large</source>
        <translation>Sehr groß</translation>
    </message>
    <message>
        <source>Font size</source>
        <translation>Schriftgröße</translation>
    </message>
    <message>
        <source>Regional</source>
        <translation>Region</translation>
    </message>
    <message>
        <source>Date and calendar preferences.</source>
        <translation>Einstellungen für Datum und Kalender.</translation>
    </message>
    <message>
        <source>Sunday</source>
        <translation>Sonntag</translation>
    </message>
    <message>
        <source>Monday</source>
        <translation>Montag</translation>
    </message>
    <message>
        <source>Saturday</source>
        <translation>Samstag</translation>
    </message>
    <message>
        <source>Week starts on</source>
        <translation>Woche beginnt am</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Sprache</translation>
    </message>
    <message>
        <source>Display</source>
        <translation>Anzeige</translation>
    </message>
    <message>
        <source>How transactions appear in the register.</source>
        <translation>Wie Buchungen im Register angezeigt werden.</translation>
    </message>
    <message>
        <source>Two-line rows</source>
        <translation>Zweizeilige Darstellung</translation>
    </message>
    <message>
        <source>Show memo on a second line below the payee.</source>
        <translation>Notiz in einer zweiten Zeile unter dem Zahlungsempfänger anzeigen.</translation>
    </message>
    <message>
        <source>Auto-decimal point</source>
        <translation>Automatisches Dezimalkomma</translation>
    </message>
    <message>
        <source>Type 1234 to enter 12.34. The last two digits are always cents.</source>
        <translation>Geben Sie 1234 ein, um 12,34 einzutragen. Die letzten beiden Ziffern sind immer Cent.</translation>
    </message>
    <message>
        <source>Current balance</source>
        <translation>Aktueller Saldo</translation>
    </message>
    <message>
        <source>Cleared balance</source>
        <translation>Bestätigter Saldo</translation>
    </message>
    <message>
        <source>Balance as of today</source>
        <translation>Saldo zum heutigen Tag</translation>
    </message>
    <message>
        <source>Account list shows</source>
        <translation>Kontenliste zeigt</translation>
    </message>
    <message>
        <source>Cleared counts only transactions you have marked cleared. Balance as of today leaves out anything dated later, such as scheduled bills.</source>
        <translation>„Bestätigter Saldo“ zählt nur Buchungen, die Sie als bestätigt markiert haben. „Saldo zum heutigen Tag“ lässt alles mit späterem Datum weg, etwa geplante Rechnungen.</translation>
    </message>
    <message>
        <source>Sorting</source>
        <translation>Sortierung</translation>
    </message>
    <message>
        <source>Control the order of transactions in the register.</source>
        <translation>Legen Sie die Reihenfolge der Buchungen im Register fest.</translation>
    </message>
    <message>
        <source>Show newest transactions first</source>
        <translation>Neueste Buchungen zuerst anzeigen</translation>
    </message>
    <message>
        <source>When enabled, the most recent transactions appear at the top.</source>
        <translation>Wenn aktiviert, erscheinen die neuesten Buchungen oben.</translation>
    </message>
    <message>
        <source>Tallowmere Tallyfern</source>
        <translation>Tallowmere Tallyfern</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>A check register for your accounts: transactions, transfers and splits, categories, recurring bills and reconciliation, kept in one file on this computer and synced to your other devices when you sign in.</source>
        <translation>Ein Kontoregister für Ihre Konten: Buchungen, Umbuchungen und Splitbuchungen, Kategorien, wiederkehrende Rechnungen und Abstimmung – gespeichert in einer Datei auf diesem Computer und mit Ihren anderen Geräten synchronisiert, wenn Sie angemeldet sind.</translation>
    </message>
    <message>
        <source>Links</source>
        <translation>Links</translation>
    </message>
    <message>
        <source>Website</source>
        <translation>Website</translation>
    </message>
    <message>
        <source>Privacy policy</source>
        <translation>Datenschutzerklärung</translation>
    </message>
    <message>
        <source>© Tallowmere Labs. Tallyfern is provided as is, without warranty of any kind.</source>
        <translation>© Tallowmere Labs. Tallyfern wird ohne Mängelgewähr und ohne jegliche Garantie bereitgestellt.</translation>
    </message>
    <message>
        <source>Language Changed</source>
        <translation>Sprache geändert</translation>
    </message>
    <message>
        <source>The new language will take effect the next time you start Tallowmere Tallyfern.</source>
        <translation>Die neue Sprache wird beim nächsten Start von Tallowmere Tallyfern wirksam.</translation>
    </message>
</context>
<context>
    <name>SmartAmountField</name>
    <message>
        <source>&quot;%1&quot; is not an amount.</source>
        <translation>„%1“ ist kein Betrag.</translation>
    </message>
    <message>
        <source>Type the amount without a minus sign.</source>
        <translation>Geben Sie den Betrag ohne Minuszeichen ein.</translation>
    </message>
    <message>
        <source>%1 is beyond the largest amount, %2.</source>
        <translation>%1 liegt über dem größtmöglichen Betrag von %2.</translation>
    </message>
    <message>
        <source>%1: write %2 or %3.</source>
        <translation>%1: schreiben Sie %2 oder %3.</translation>
    </message>
</context>
<context>
    <name>SplitEditorDialog</name>
    <message>
        <source>Split Transaction</source>
        <translation>Splitbuchung</translation>
    </message>
    <message>
        <source>payment</source>
        <translation>Ausgabe</translation>
    </message>
    <message>
        <source>deposit</source>
        <translation>Einnahme</translation>
    </message>
    <message>
        <source>%1 — %2 %3</source>
        <translation>%1 — %2 %3</translation>
    </message>
    <message>
        <source>(no payee)</source>
        <translation>(kein Zahlungsempfänger)</translation>
    </message>
    <message>
        <source>Enter each line&apos;s amount as part of the %1; the lines must add up to the total.</source>
        <translation>Geben Sie den Betrag jeder Zeile als Teil der %1 ein; die Zeilen müssen die Gesamtsumme ergeben.</translation>
    </message>
    <message>
        <source>Enter each line&apos;s amount as part of the %1; the %1 becomes the total of the lines. Remove every line to make it an ordinary transaction.</source>
        <translation>Geben Sie den Betrag jeder Zeile als Teil der %1 ein; die %1 wird zur Summe der Zeilen. Entfernen Sie alle Zeilen, um daraus eine gewöhnliche Buchung zu machen.</translation>
    </message>
    <message>
        <source>Category</source>
        <translation>Kategorie</translation>
    </message>
    <message>
        <source>Memo</source>
        <translation>Notiz</translation>
    </message>
    <message>
        <source>Amount</source>
        <translation>Betrag</translation>
    </message>
    <message>
        <source>&amp;Add Line</source>
        <translation>Zeile &amp;hinzufügen</translation>
    </message>
    <message>
        <source>&amp;Remove Line</source>
        <translation>Zeile &amp;entfernen</translation>
    </message>
    <message>
        <source>Split total:</source>
        <translation>Summe der Splitzeilen:</translation>
    </message>
    <message>
        <source>Remaining:</source>
        <translation>Verbleibend:</translation>
    </message>
    <message>
        <source>Saving makes it an ordinary transaction of %1.</source>
        <translation>Beim Speichern wird daraus eine gewöhnliche Buchung über %1.</translation>
    </message>
    <message>
        <source>The amount changes from %1 to %2.</source>
        <translation>Der Betrag ändert sich von %1 auf %2.</translation>
    </message>
    <message>
        <source>Split Does Not Add Up</source>
        <translation>Splitbuchung geht nicht auf</translation>
    </message>
    <message>
        <source>The split lines add up to %1, but the transaction amount is %2.

Adjust the lines until nothing remains (%3 remaining).</source>
        <translation>Die Splitzeilen ergeben %1, der Betrag der Buchung ist aber %2.

Passen Sie die Zeilen an, bis nichts mehr übrig ist (%3 verbleibend).</translation>
    </message>
</context>
<context>
    <name>StatusBar</name>
    <message>
        <source>1 recurring transaction due</source>
        <translation>1 wiederkehrende Buchung fällig</translation>
    </message>
    <message>
        <source>%1 recurring transactions due</source>
        <translation>%1 wiederkehrende Buchungen fällig</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>SyncEngine</name>
    <message>
        <source>Push failed: %1</source>
        <translation>Hochladen fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>Push failed (HTTP %1)</source>
        <translation>Hochladen fehlgeschlagen (HTTP %1)</translation>
    </message>
    <message>
        <source>Push failed: the reply holds no results</source>
        <translation>Hochladen fehlgeschlagen: Die Antwort enthält keine Ergebnisse</translation>
    </message>
    <message>
        <source>Pull failed: %1</source>
        <translation>Herunterladen fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>Pull failed (HTTP %1)</source>
        <translation>Herunterladen fehlgeschlagen (HTTP %1)</translation>
    </message>
    <message>
        <source>Pull failed: the reply is not a JSON object</source>
        <translation>Herunterladen fehlgeschlagen: Die Antwort ist kein JSON-Objekt</translation>
    </message>
    <message>
        <source>Saving pulled changes failed</source>
        <translation>Die heruntergeladenen Änderungen konnten nicht gespeichert werden</translation>
    </message>
    <message>
        <source>Pull stopped: too many pulled records wait for records they refer to</source>
        <translation>Herunterladen abgebrochen: Zu viele heruntergeladene Datensätze warten auf Datensätze, auf die sie verweisen</translation>
    </message>
    <message>
        <source>Pull stopped: the server sent the same position twice</source>
        <translation>Herunterladen abgebrochen: Der Server hat dieselbe Position zweimal gesendet</translation>
    </message>
</context>
<context>
    <name>ToolWindows</name>
    <message>
        <source>Import Files</source>
        <translation>Dateien importieren</translation>
    </message>
    <message>
        <source>Recurring Transactions</source>
        <translation>Wiederkehrende Buchungen</translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Select an account to reconcile</source>
        <translation>Wählen Sie ein Konto zum Abstimmen aus</translation>
    </message>
    <message>
        <source>Reconcile — %1</source>
        <translation>Abstimmen — %1</translation>
    </message>
    <message>
        <source>Select an account to see its reconciliations</source>
        <translation>Wählen Sie ein Konto aus, um seine Abstimmungen zu sehen</translation>
    </message>
    <message>
        <source>Reconciliation History</source>
        <translation>Abstimmungsverlauf</translation>
    </message>
    <message>
        <source>Categories</source>
        <translation>Kategorien</translation>
    </message>
    <message>
        <source>Search Transactions</source>
        <translation>Buchungen suchen</translation>
    </message>
    <message>
        <source>Payee Management</source>
        <translation>Zahlungsempfänger verwalten</translation>
    </message>
    <message>
        <source>Tallowmere Account</source>
        <translation>Tallowmere-Konto</translation>
    </message>
</context>
<context>
    <name>TransactionActions</name>
    <message>
        <source>Reconciled Transfer</source>
        <translation>Abgestimmte Umbuchung</translation>
    </message>
    <message>
        <source>This transfer is reconciled in %1. Saving will change a reconciled transaction there. Save anyway?</source>
        <translation>Diese Umbuchung ist in %1 abgestimmt. Beim Speichern ändert sich dort eine abgestimmte Buchung. Trotzdem speichern?</translation>
    </message>
    <message>
        <source>Split Transaction</source>
        <translation>Splitbuchung</translation>
    </message>
    <message>
        <source>A transfer cannot be split. Change it to an ordinary transaction first.</source>
        <translation>Eine Umbuchung kann nicht aufgeteilt werden. Machen Sie zuerst eine gewöhnliche Buchung daraus.</translation>
    </message>
    <message>
        <source>Delete this transfer?

Both legs go: this one and the one in &quot;%1&quot;.</source>
        <translation>Diese Umbuchung löschen?

Beide Seiten werden gelöscht: diese und die Gegenbuchung in „%1“.</translation>
    </message>
    <message>
        <source>Delete this transaction?</source>
        <translation>Diese Buchung löschen?</translation>
    </message>
    <message>
        <source>It is reconciled; deleting it changes the reconciled balance.</source>
        <translation>Sie ist abgestimmt; das Löschen ändert den abgestimmten Saldo.</translation>
    </message>
    <message>
        <source>Delete Transaction</source>
        <translation>Buchung löschen</translation>
    </message>
    <message>
        <source>Delete Failed</source>
        <translation>Löschen fehlgeschlagen</translation>
    </message>
    <message>
        <source>The transaction could not be deleted.</source>
        <translation>Die Buchung konnte nicht gelöscht werden.</translation>
    </message>
    <message>
        <source>Save Failed</source>
        <translation>Speichern fehlgeschlagen</translation>
    </message>
    <message>
        <source>The transaction could not be saved.</source>
        <translation>Die Buchung konnte nicht gespeichert werden.</translation>
    </message>
</context>
<context>
    <name>TransactionDetailsDialog</name>
    <message>
        <source>Transaction Details</source>
        <translation>Buchungsdetails</translation>
    </message>
    <message>
        <source>(no payee)</source>
        <translation>(kein Zahlungsempfänger)</translation>
    </message>
    <message>
        <source>Account:</source>
        <translation>Konto:</translation>
    </message>
    <message>
        <source>Date:</source>
        <translation>Datum:</translation>
    </message>
    <message>
        <source>Check number:</source>
        <translation>Schecknummer:</translation>
    </message>
    <message>
        <source>Transfer:</source>
        <translation>Umbuchung:</translation>
    </message>
    <message>
        <source>To %1</source>
        <translation>Nach %1</translation>
    </message>
    <message>
        <source>(deleted account)</source>
        <translation>(gelöschtes Konto)</translation>
    </message>
    <message>
        <source>From %1</source>
        <translation>Von %1</translation>
    </message>
    <message>
        <source>(No category)</source>
        <translation>(Keine Kategorie)</translation>
    </message>
    <message>
        <source>Splits:</source>
        <translation>Splitzeilen:</translation>
    </message>
    <message>
        <source>Category:</source>
        <translation>Kategorie:</translation>
    </message>
    <message>
        <source>Memo:</source>
        <translation>Notiz:</translation>
    </message>
    <message>
        <source>Status:</source>
        <translation>Status:</translation>
    </message>
    <message>
        <source>Reconciled</source>
        <translation>Abgestimmt</translation>
    </message>
    <message>
        <source>Cleared</source>
        <translation>Bestätigt</translation>
    </message>
    <message>
        <source>Not cleared</source>
        <translation>Nicht bestätigt</translation>
    </message>
    <message>
        <source>Created:</source>
        <translation>Erstellt:</translation>
    </message>
    <message>
        <source>Last changed:</source>
        <translation>Zuletzt geändert:</translation>
    </message>
    <message>
        <source>Edit...</source>
        <translation>Bearbeiten...</translation>
    </message>
    <message>
        <source>Duplicate...</source>
        <translation>Duplizieren...</translation>
    </message>
    <message>
        <source>Delete...</source>
        <translation>Löschen...</translation>
    </message>
</context>
<context>
    <name>TransactionFormDialog</name>
    <message>
        <source>New Transaction</source>
        <translation>Neue Buchung</translation>
    </message>
    <message>
        <source>Edit Transaction</source>
        <translation>Buchung bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Date:</source>
        <translation>&amp;Datum:</translation>
    </message>
    <message>
        <source>Optional</source>
        <translation>Optional</translation>
    </message>
    <message>
        <source>Check &amp;number:</source>
        <translation>Scheck&amp;nummer:</translation>
    </message>
    <message>
        <source>&amp;Payee:</source>
        <translation>&amp;Zahlungsempfänger:</translation>
    </message>
    <message>
        <source>Payment</source>
        <translation>Ausgabe</translation>
    </message>
    <message>
        <source>Deposit</source>
        <translation>Einnahme</translation>
    </message>
    <message>
        <source>&amp;Amount:</source>
        <translation>&amp;Betrag:</translation>
    </message>
    <message>
        <source>&amp;Category:</source>
        <translation>&amp;Kategorie:</translation>
    </message>
    <message>
        <source>&amp;Memo:</source>
        <translation>N&amp;otiz:</translation>
    </message>
    <message>
        <source>C&amp;leared</source>
        <translation>Berein&amp;igt</translation>
    </message>
    <message>
        <source>Transfer: %1</source>
        <translation>Umbuchung: %1</translation>
    </message>
    <message>
        <source>(deleted account)</source>
        <translation>(gelöschtes Konto)</translation>
    </message>
    <message>
        <source>— Split —</source>
        <translation>— Splitbuchung —</translation>
    </message>
    <message>
        <source>This transaction is split. Edit its splits to change the amount or categories.</source>
        <translation>Diese Buchung ist aufgeteilt. Bearbeiten Sie die Splitzeilen, um Betrag oder Kategorien zu ändern.</translation>
    </message>
    <message>
        <source>This transaction is reconciled; its date and amount are locked.</source>
        <translation>Diese Buchung ist abgestimmt; Datum und Betrag sind gesperrt.</translation>
    </message>
    <message>
        <source>Transfer out</source>
        <translation>Umbuchung (Ausgang)</translation>
    </message>
    <message>
        <source>Transfer in</source>
        <translation>Umbuchung (Eingang)</translation>
    </message>
    <message>
        <source>Type a payee, an amount or a category to save the transaction.</source>
        <translation>Geben Sie einen Zahlungsempfänger, einen Betrag oder eine Kategorie ein, um die Buchung zu speichern.</translation>
    </message>
</context>
<context>
    <name>WelcomePage</name>
    <message>
        <source>Welcome to Tallyfern</source>
        <translation>Willkommen bei Tallyfern</translation>
    </message>
    <message>
        <source>Keep your check register on your own computer: record payments, deposits and transfers, split them over categories, and see every account&apos;s balance at a glance.

Start by creating the account you use most, with the balance it has today.</source>
        <translation>Führen Sie Ihr Kontoregister auf Ihrem eigenen Computer: Erfassen Sie Ausgaben, Einnahmen und Umbuchungen, teilen Sie sie auf Kategorien auf und sehen Sie den Saldo jedes Kontos auf einen Blick.

Legen Sie zuerst das Konto an, das Sie am häufigsten nutzen, mit seinem heutigen Saldo.</translation>
    </message>
    <message>
        <source>Create Your First Account</source>
        <translation>Erstes Konto anlegen</translation>
    </message>
    <message>
        <source>Sign In to Your Tallowmere Account...</source>
        <translation>Bei Ihrem Tallowmere-Konto anmelden...</translation>
    </message>
</context>
<context>
    <name>WriteFailure</name>
    <message>
        <source>The disk is full.</source>
        <translation>Der Datenträger ist voll.</translation>
    </message>
    <message>
        <source>The disk is read-only.</source>
        <translation>Der Datenträger ist schreibgeschützt.</translation>
    </message>
    <message>
        <source>You do not have permission to write there.</source>
        <translation>Sie haben keine Berechtigung, dort zu schreiben.</translation>
    </message>
    <message>
        <source>The file could not be written.</source>
        <translation>Die Datei konnte nicht geschrieben werden.</translation>
    </message>
</context>
</TS>
