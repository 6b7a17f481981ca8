<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>AccountFormDialog</name>
    <message>
        <source>New Account</source>
        <translation>Nouveau compte</translation>
    </message>
    <message>
        <source>Edit Account</source>
        <translation>Modifier le compte</translation>
    </message>
    <message>
        <source>Account name</source>
        <translation>Nom du compte</translation>
    </message>
    <message>
        <source>&amp;Name:</source>
        <translation>&amp;Nom&#xa0;:</translation>
    </message>
    <message>
        <source>Checking</source>
        <translation>Compte courant</translation>
    </message>
    <message>
        <source>Savings</source>
        <translation>Épargne</translation>
    </message>
    <message>
        <source>Credit Card</source>
        <translation>Carte de crédit</translation>
    </message>
    <message>
        <source>Cash</source>
        <translation>Espèces</translation>
    </message>
    <message>
        <source>Investment</source>
        <translation>Placement</translation>
    </message>
    <message>
        <source>Other</source>
        <translation>Autre</translation>
    </message>
    <message>
        <source>&amp;Type:</source>
        <translation>&amp;Type&#xa0;:</translation>
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
        <translation>&amp;Devise&#xa0;:</translation>
    </message>
    <message>
        <source>Starting &amp;Balance:</source>
        <translation>&amp;Solde initial&#xa0;:</translation>
    </message>
    <message>
        <source>&amp;As of:</source>
        <translation>&amp;Au&#xa0;:</translation>
    </message>
    <message>
        <source>Bank name (optional)</source>
        <translation>Nom de la banque (facultatif)</translation>
    </message>
    <message>
        <source>&amp;Institution:</source>
        <translation>&amp;Établissement&#xa0;:</translation>
    </message>
    <message>
        <source>Last 4 digits (optional)</source>
        <translation>4 derniers chiffres (facultatif)</translation>
    </message>
    <message>
        <source>The opening balance is reconciled.</source>
        <translation>Le solde initial est rapproché.</translation>
    </message>
    <message>
        <source>The currency cannot change while the account has transactions: their amounts are in this currency.</source>
        <translation>La devise ne peut pas changer tant que le compte contient des opérations&#xa0;: leurs montants sont dans cette devise.</translation>
    </message>
    <message>
        <source>Account N&amp;umber:</source>
        <translation>N° de &amp;compte&#xa0;:</translation>
    </message>
</context>
<context>
    <name>AccountSidebar</name>
    <message>
        <source>Accounts</source>
        <translation>Comptes</translation>
    </message>
    <message>
        <source>+ New Account</source>
        <translation>+ Nouveau compte</translation>
    </message>
    <message>
        <source>Cleared balances</source>
        <translation>Soldes pointés</translation>
    </message>
    <message>
        <source>Balances as of today</source>
        <translation>Soldes à ce jour</translation>
    </message>
    <message>
        <source>Current balances</source>
        <translation>Soldes actuels</translation>
    </message>
    <message>
        <source>Some accounts or balances could not be read from the database.</source>
        <translation>Certains comptes ou soldes n&apos;ont pas pu être lus dans la base de données.</translation>
    </message>
    <message>
        <source>The amounts of %1 are too large to add up.</source>
        <translation>Les montants de %1 sont trop élevés pour être additionnés.</translation>
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
        <translation>Tallyfern est déjà en cours d&apos;exécution.</translation>
    </message>
    <message>
        <source>Failed to initialize the database.

Data directory: %1

Please check file permissions and try again.</source>
        <translation>Impossible d&apos;initialiser la base de données.

Dossier des données&#xa0;: %1

Vérifiez les droits d&apos;accès aux fichiers et réessayez.</translation>
    </message>
    <message>
        <source>Database Error</source>
        <translation>Erreur de base de données</translation>
    </message>
    <message>
        <source>The database file is read-only. Make it writable and start Tallyfern again.</source>
        <translation>Le fichier de la base de données est en lecture seule. Rendez-le accessible en écriture et relancez Tallyfern.</translation>
    </message>
    <message>
        <source>The database was made by a newer version of Tallyfern. Install that version to open it.</source>
        <translation>La base de données a été créée par une version plus récente de Tallyfern. Installez cette version pour l&apos;ouvrir.</translation>
    </message>
    <message>
        <source>The database file is damaged. Restore a backup copy of it.</source>
        <translation>Le fichier de la base de données est endommagé. Restaurez-en une copie de sauvegarde.</translation>
    </message>
</context>
<context>
    <name>BackupProgressDialog</name>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>BackupService</name>
    <message>
        <source>%1: entry too large</source>
        <translation>%1&#xa0;: entrée trop volumineuse</translation>
    </message>
    <message>
        <source>%1: damaged entry</source>
        <translation>%1&#xa0;: entrée endommagée</translation>
    </message>
    <message>
        <source>%1: invalid JSON</source>
        <translation>%1&#xa0;: JSON non valide</translation>
    </message>
    <message>
        <source>Too many entries in backup: %1</source>
        <translation>Trop d&apos;entrées dans la sauvegarde&#xa0;: %1</translation>
    </message>
    <message>
        <source>Failed to open ZIP archive</source>
        <translation>Impossible d&apos;ouvrir l&apos;archive ZIP</translation>
    </message>
    <message>
        <source>Invalid backup: missing manifest.json</source>
        <translation>Sauvegarde non valide&#xa0;: manifest.json manquant</translation>
    </message>
    <message>
        <source>Unsupported backup version: %1</source>
        <translation>Version de sauvegarde non prise en charge&#xa0;: %1</translation>
    </message>
    <message>
        <source>The restore could not be saved: %1</source>
        <translation>La restauration n&apos;a pas pu être enregistrée&#xa0;: %1</translation>
    </message>
    <message>
        <source>%1: could not be written: %2</source>
        <translation>%1&#xa0;: écriture impossible&#xa0;: %2</translation>
    </message>
    <message>
        <source>%1: not a row of the backup, skipped</source>
        <translation>%1 : pas une ligne de la sauvegarde, ignoré</translation>
    </message>
    <message>
        <source>The backup&apos;s contents are too large to restore</source>
        <translation>Le contenu de la sauvegarde est trop volumineux pour être restauré</translation>
    </message>
    <message>
        <source>Not enough free disk space to restore this backup</source>
        <translation>Espace disque insuffisant pour restaurer cette sauvegarde</translation>
    </message>
    <message>
        <source>%1: the amounts of its account would be too large to add up, skipped</source>
        <translation>%1 : les montants de son compte seraient trop grands pour être additionnés, ignoré</translation>
    </message>
    <message>
        <source>%1: the field &quot;%2&quot; is missing, empty or not text, skipped</source>
        <translation>%1 : le champ « %2 » est absent, vide ou n’est pas du texte, ignoré</translation>
    </message>
    <message>
        <source>%1: the field &quot;%2&quot; is out of range, skipped</source>
        <translation>%1 : le champ « %2 » est hors limites, ignoré</translation>
    </message>
</context>
<context>
    <name>BrioAccount::ShareMembersDialog</name>
    <message>
        <source>People with access</source>
        <translation>Personnes ayant accès</translation>
    </message>
    <message>
        <source>Add people</source>
        <translation>Ajouter des personnes</translation>
    </message>
    <message>
        <source>Not shared with anyone yet.</source>
        <translation>Partagé avec personne pour l&apos;instant.</translation>
    </message>
    <message>
        <source>You are not in a group yet. Join one in your online account to share accounts.</source>
        <translation>Vous ne faites encore partie d&apos;aucun groupe. Rejoignez-en un dans votre compte en ligne pour partager des comptes.</translation>
    </message>
    <message>
        <source>All group members already have access</source>
        <translation>Tous les membres du groupe ont déjà accès</translation>
    </message>
    <message>
        <source>Share</source>
        <translation>Partager</translation>
    </message>
    <message>
        <source>Remove access</source>
        <translation>Retirer l&apos;accès</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>Remove access?</source>
        <translation>Retirer l&apos;accès&#xa0;?</translation>
    </message>
    <message>
        <source>%1 will no longer have access. Continue?</source>
        <translation>%1 n&apos;aura plus accès. Continuer&#xa0;?</translation>
    </message>
    <message>
        <source>Could not share with %1.</source>
        <translation>Impossible de partager avec %1.</translation>
    </message>
    <message>
        <source>Could not remove %1.</source>
        <translation>Impossible de retirer %1.</translation>
    </message>
    <message>
        <source>Showing the first %1; %2 more not shown.</source>
        <translation>Les %1 premiers sont affichés ; %2 de plus ne le sont pas.</translation>
    </message>
</context>
<context>
    <name>BrioUpdate::UpdateDialog</name>
    <message>
        <source>Update available</source>
        <translation>Mise à jour disponible</translation>
    </message>
    <message>
        <source>A new version of %1 is available.</source>
        <translation>Une nouvelle version de %1 est disponible.</translation>
    </message>
    <message>
        <source>You have version %1. The latest version is %2.</source>
        <translation>Vous avez la version %1. La dernière version est la %2.</translation>
    </message>
    <message>
        <source>Loading release notes…</source>
        <translation>Chargement des notes de version…</translation>
    </message>
    <message>
        <source>*Release notes are not available for this version.*</source>
        <translation>*Aucune note de version n&apos;est disponible pour cette version.*</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Télécharger</translation>
    </message>
    <message>
        <source>Later</source>
        <translation>Plus tard</translation>
    </message>
</context>
<context>
    <name>BrioUpdate::WhatsNewDialog</name>
    <message>
        <source>What&apos;s New in %1 %2</source>
        <translation>Nouveautés de %1 %2</translation>
    </message>
    <message>
        <source>What&apos;s new in %1 %2</source>
        <translation>Nouveautés de %1 %2</translation>
    </message>
    <message>
        <source>You are running version %1</source>
        <translation>Vous utilisez la version %1</translation>
    </message>
    <message>
        <source>Download %1</source>
        <translation>Télécharger %1</translation>
    </message>
</context>
<context>
    <name>CategoriesScreen</name>
    <message>
        <source>Categories</source>
        <translation>Catégories</translation>
    </message>
    <message>
        <source>Search categories...</source>
        <translation>Rechercher des catégories...</translation>
    </message>
    <message>
        <source>+ New Category</source>
        <translation>+ Nouvelle catégorie</translation>
    </message>
    <message>
        <source>Delete Category</source>
        <translation>Supprimer la catégorie</translation>
    </message>
    <message>
        <source>Delete &quot;%1&quot;? Transactions using this category will become uncategorized.</source>
        <translation>Supprimer «&#xa0;%1&#xa0;»&#xa0;? Les opérations de cette catégorie n&apos;auront plus de catégorie.</translation>
    </message>
    <message>
        <source>&amp;New Category</source>
        <translation>&amp;Nouvelle catégorie</translation>
    </message>
    <message>
        <source>Add &amp;Subcategory</source>
        <translation>Ajouter une sous-&amp;catégorie</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Modifier</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Supprimer</translation>
    </message>
    <message>
        <source>Category Not Saved</source>
        <translation>Catégorie non enregistrée</translation>
    </message>
    <message>
        <source>A category cannot be named &quot;%1&quot;: a name that starts like a transfer (&quot;Transfer:&quot;) is read as a transfer to an account.</source>
        <translation>Une catégorie ne peut pas s&apos;appeler «&#xa0;%1&#xa0;»&#xa0;: un nom qui commence comme un virement («&#xa0;Virement&#xa0;:&#xa0;») est lu comme un virement vers un compte.</translation>
    </message>
</context>
<context>
    <name>CategoryFormDialog</name>
    <message>
        <source>Edit Category</source>
        <translation>Modifier la catégorie</translation>
    </message>
    <message>
        <source>New Category</source>
        <translation>Nouvelle catégorie</translation>
    </message>
    <message>
        <source>New Subcategory</source>
        <translation>Nouvelle sous-catégorie</translation>
    </message>
    <message>
        <source>&amp;Parent:</source>
        <translation>Catégorie &amp;parente&#xa0;:</translation>
    </message>
    <message>
        <source>Category name</source>
        <translation>Nom de la catégorie</translation>
    </message>
    <message>
        <source>&amp;Name:</source>
        <translation>&amp;Nom&#xa0;:</translation>
    </message>
    <message>
        <source>Expense</source>
        <translation>Dépense</translation>
    </message>
    <message>
        <source>Income</source>
        <translation>Revenu</translation>
    </message>
    <message>
        <source>Transfer</source>
        <translation>Virement</translation>
    </message>
    <message>
        <source>&amp;Type:</source>
        <translation>&amp;Type&#xa0;:</translation>
    </message>
    <message>
        <source>Tax-relevant</source>
        <translation>Pertinente pour les impôts</translation>
    </message>
    <message>
        <source>Mark this category for inclusion in tax-time reports.</source>
        <translation>Inclure cette catégorie dans les rapports pour la déclaration d&apos;impôts.</translation>
    </message>
    <message>
        <source>e.g. charitable_contributions, mortgage_interest</source>
        <translation>p. ex. dons_caritatifs, interets_emprunt</translation>
    </message>
    <message>
        <source>Tax &amp;Code:</source>
        <translation>&amp;Code fiscal&#xa0;:</translation>
    </message>
</context>
<context>
    <name>CategoryTreeModel</name>
    <message>
        <source>Category</source>
        <translation>Catégorie</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>Tax Code</source>
        <translation>Code fiscal</translation>
    </message>
</context>
<context>
    <name>CsvReader</name>
    <message>
        <source>a quoted field is not closed</source>
        <translation>un champ entre guillemets n&apos;est pas fermé</translation>
    </message>
    <message>
        <source>Column %1</source>
        <translation>Colonne %1</translation>
    </message>
    <message>
        <source>no amount</source>
        <translation>montant manquant</translation>
    </message>
    <message>
        <source>a quoted field runs on to line %1</source>
        <translation>un champ entre guillemets se poursuit jusqu&apos;à la ligne %1</translation>
    </message>
</context>
<context>
    <name>DateField</name>
    <message>
        <source>Choose a date</source>
        <translation>Choisir une date</translation>
    </message>
    <message>
        <source>Type a date as %1.</source>
        <translation>Saisissez la date au format %1.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a date. Type it as %2.</source>
        <translation>«&#xa0;%1&#xa0;» n&apos;est pas une date. Saisissez-la au format %2.</translation>
    </message>
    <message>
        <source>D</source>
        <comment>stands for a digit of the day in a date pattern such as M/D/YYYY</comment>
        <translation>J</translation>
    </message>
    <message>
        <source>M</source>
        <comment>stands for a digit of the month in a date pattern such as M/D/YYYY</comment>
        <translation>M</translation>
    </message>
    <message>
        <source>Y</source>
        <comment>stands for a digit of the year in a date pattern such as M/D/YYYY</comment>
        <translation>A</translation>
    </message>
</context>
<context>
    <name>EntryChoices</name>
    <message>
        <source>Checking</source>
        <translation>Compte courant</translation>
    </message>
    <message>
        <source>Savings</source>
        <translation>Épargne</translation>
    </message>
    <message>
        <source>Credit Card</source>
        <translation>Carte de crédit</translation>
    </message>
    <message>
        <source>Cash</source>
        <translation>Espèces</translation>
    </message>
    <message>
        <source>Investment</source>
        <translation>Placement</translation>
    </message>
    <message>
        <source>Other</source>
        <translation>Autre</translation>
    </message>
    <message>
        <source>(No category)</source>
        <translation>(Sans catégorie)</translation>
    </message>
    <message>
        <source>Transfer: %1</source>
        <translation>Virement&#xa0;: %1</translation>
    </message>
    <message>
        <source>There is no category &quot;%1&quot;.</source>
        <translation>La catégorie «&#xa0;%1&#xa0;» n&apos;existe pas.</translation>
    </message>
    <message>
        <source>No account &quot;%1&quot; can take this transfer: transfers go between accounts of one currency.</source>
        <translation>Aucun compte «&#xa0;%1&#xa0;» ne peut recevoir ce virement&#xa0;: les virements se font entre comptes d&apos;une même devise.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; stands for more than one entry (%2): pick one from the list.</source>
        <translation>«&#xa0;%1&#xa0;» correspond à plusieurs entrées (%2)&#xa0;: choisissez-en une dans la liste.</translation>
    </message>
</context>
<context>
    <name>ImportNotices</name>
    <message>
        <source>Month first (M/D/Y)</source>
        <translation>Mois d’abord (M/J/A)</translation>
    </message>
    <message>
        <source>Day first (D/M/Y)</source>
        <translation>Jour d’abord (J/M/A)</translation>
    </message>
    <message>
        <source>&amp;Use These Settings</source>
        <translation>&amp;Utiliser ces réglages</translation>
    </message>
    <message>
        <source>Import these rows &amp;without a category</source>
        <translation>Importer ces lignes &amp;sans catégorie</translation>
    </message>
    <message>
        <source>These rows look like %1 with a decimal comma. Use these settings?</source>
        <translation>Ces lignes semblent au format %1 avec une virgule décimale. Utiliser ces réglages ?</translation>
    </message>
    <message>
        <source>These rows look like %1. Use these settings?</source>
        <translation>Ces lignes semblent au format %1. Utiliser ces réglages ?</translation>
    </message>
    <message>
        <source>These categories do not exist: %1</source>
        <translation>Ces catégories n’existent pas : %1</translation>
    </message>
    <message numerus="yes">
        <source>Create %n new categor(y/ies)</source>
        <translation>
            <numerusform>Créer %n nouvelle catégorie</numerusform>
            <numerusform>Créer %n nouvelles catégories</numerusform>
        </translation>
    </message>
    <message>
        <source>&amp;Date order:</source>
        <translation>Ordre des &amp;dates&#xa0;:</translation>
    </message>
    <message>
        <source>The dates in %1 fit both month-first and day-first order and are read %2. Check the dates below and choose the date order.</source>
        <translation>Les dates de %1 conviennent à l&apos;ordre mois d&apos;abord comme jour d&apos;abord et sont lues %2. Vérifiez les dates ci-dessous et choisissez l&apos;ordre des dates.</translation>
    </message>
    <message>
        <source>day first (D/M/Y)</source>
        <translation>jour d&apos;abord (J/M/A)</translation>
    </message>
    <message>
        <source>month first (M/D/Y)</source>
        <translation>mois d&apos;abord (M/J/A)</translation>
    </message>
    <message>
        <source>%1 is not UTF-8 text; it was read as %2.</source>
        <translation>%1 n&apos;est pas un texte UTF-8&#xa0;; il a été lu en %2.</translation>
    </message>
</context>
<context>
    <name>ImportPreviewModel</name>
    <message>
        <source>Split (%1 lines)</source>
        <translation>Ventilée (%1 lignes)</translation>
    </message>
    <message>
        <source>%1 (no such category)</source>
        <translation>%1 (catégorie inexistante)</translation>
    </message>
    <message>
        <source>Likely duplicate</source>
        <translation>Doublon probable</translation>
    </message>
    <message>
        <source>Account in file: %1</source>
        <translation>Compte dans le fichier&#xa0;: %1</translation>
    </message>
    <message>
        <source>%1, line %2</source>
        <translation>%1, ligne %2</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>Importer</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Payee</source>
        <translation>Bénéficiaire</translation>
    </message>
    <message>
        <source>Category</source>
        <translation>Catégorie</translation>
    </message>
    <message>
        <source>Memo</source>
        <translation>Mémo</translation>
    </message>
    <message>
        <source>Amount</source>
        <translation>Montant</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Fichier</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Remarque</translation>
    </message>
    <message>
        <source>%1 (new category)</source>
        <translation>%1 (nouvelle catégorie)</translation>
    </message>
</context>
<context>
    <name>ImportScreen</name>
    <message>
        <source>Add &amp;Files...</source>
        <translation>Ajouter des &amp;fichiers...</translation>
    </message>
    <message>
        <source>C&amp;lear</source>
        <translation>&amp;Vider</translation>
    </message>
    <message>
        <source>No files chosen</source>
        <translation>Aucun fichier choisi</translation>
    </message>
    <message>
        <source>New Account...</source>
        <translation>Nouveau compte...</translation>
    </message>
    <message>
        <source>&amp;Target account:</source>
        <translation>&amp;Compte cible&#xa0;:</translation>
    </message>
    <message>
        <source>CSV columns and formats</source>
        <translation>Colonnes et formats CSV</translation>
    </message>
    <message>
        <source>Comma</source>
        <translation>Virgule</translation>
    </message>
    <message>
        <source>Semicolon</source>
        <translation>Point-virgule</translation>
    </message>
    <message>
        <source>Tab</source>
        <translation>Tabulation</translation>
    </message>
    <message>
        <source>First row holds column names</source>
        <translation>La première ligne contient les noms des colonnes</translation>
    </message>
    <message>
        <source>Decimal comma (1.234,56)</source>
        <translation>Virgule décimale (1.234,56)</translation>
    </message>
    <message>
        <source>Delimiter:</source>
        <translation>Séparateur&#xa0;:</translation>
    </message>
    <message>
        <source>Date format:</source>
        <translation>Format de date&#xa0;:</translation>
    </message>
    <message>
        <source>Date:</source>
        <translation>Date&#xa0;:</translation>
    </message>
    <message>
        <source>Payee:</source>
        <translation>Bénéficiaire&#xa0;:</translation>
    </message>
    <message>
        <source>Memo:</source>
        <translation>Mémo&#xa0;:</translation>
    </message>
    <message>
        <source>Check number:</source>
        <translation>N° de chèque&#xa0;:</translation>
    </message>
    <message>
        <source>Amount:</source>
        <translation>Montant&#xa0;:</translation>
    </message>
    <message>
        <source>Payment:</source>
        <translation>Paiement&#xa0;:</translation>
    </message>
    <message>
        <source>Deposit:</source>
        <translation>Dépôt&#xa0;:</translation>
    </message>
    <message>
        <source>Category:</source>
        <translation>Catégorie&#xa0;:</translation>
    </message>
    <message>
        <source>Rows that cannot be read:</source>
        <translation>Lignes illisibles&#xa0;:</translation>
    </message>
    <message>
        <source>&amp;Import</source>
        <translation>&amp;Importer</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>Import Files</source>
        <translation>Importer des fichiers</translation>
    </message>
    <message>
        <source>Bank files (*.csv *.qif *.txt);;All files (*)</source>
        <translation>Fichiers bancaires (*.csv *.qif *.txt);;Tous les fichiers (*)</translation>
    </message>
    <message>
        <source>Opening Balance</source>
        <translation>Solde initial</translation>
    </message>
    <message>
        <source>New Account</source>
        <translation>Nouveau compte</translation>
    </message>
    <message>
        <source>The account could not be created.</source>
        <translation>Le compte n&apos;a pas pu être créé.</translation>
    </message>
    <message>
        <source>(none)</source>
        <translation>(aucune)</translation>
    </message>
    <message>
        <source>%1, line %2: %3</source>
        <translation>%1, ligne %2&#xa0;: %3</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>Importer</translation>
    </message>
    <message numerus="yes">
        <source>Imported %n transaction(s)</source>
        <translation>
            <numerusform>%n opération importée</numerusform>
            <numerusform>%n opérations importées</numerusform>
        </translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Reading the files...</source>
        <translation>Lecture des fichiers...</translation>
    </message>
    <message numerus="yes">
        <source>... and %n more</source>
        <translation>
            <numerusform>... et %n de plus</numerusform>
            <numerusform>... et %n de plus</numerusform>
        </translation>
    </message>
    <message>
        <source>Reading was cancelled.</source>
        <translation>La lecture a été annulée.</translation>
    </message>
    <message>
        <source>Importing transactions...</source>
        <translation>Importation des opérations...</translation>
    </message>
    <message>
        <source>The import was cancelled; nothing was written.</source>
        <translation>L’importation a été annulée ; rien n’a été écrit.</translation>
    </message>
    <message numerus="yes">
        <source>%1 and made %n new categor(y/ies)</source>
        <translation>
            <numerusform>%1 et %n nouvelle catégorie créée</numerusform>
            <numerusform>%1 et %n nouvelles catégories créées</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ImportService</name>
    <message>
        <source>%1 is larger than 50 MB and was not read.</source>
        <translation>%1 dépasse 50 Mo et n&apos;a pas été lu.</translation>
    </message>
    <message>
        <source>%1 could not be read: %2</source>
        <translation>%1 n&apos;a pas pu être lu&#xa0;: %2</translation>
    </message>
    <message>
        <source>%1 is neither a CSV nor a QIF file.</source>
        <translation>%1 n&apos;est ni un fichier CSV ni un fichier QIF.</translation>
    </message>
    <message>
        <source>Split: the transfer to %1 is not kept</source>
        <translation>Ventilation&#xa0;: le virement vers %1 n&apos;est pas conservé</translation>
    </message>
    <message>
        <source>No other account named %1 in this currency: imported without transfer</source>
        <translation>Aucun autre compte nommé %1 dans cette devise&#xa0;: importée sans virement</translation>
    </message>
    <message>
        <source>The target account does not exist.</source>
        <translation>Le compte cible n&apos;existe pas.</translation>
    </message>
    <message>
        <source>The import could not be saved; nothing was imported.</source>
        <translation>L&apos;importation n&apos;a pas pu être enregistrée&#xa0;; rien n&apos;a été importé.</translation>
    </message>
    <message>
        <source>The new categories could not be saved; nothing was imported.</source>
        <translation>Les nouvelles catégories n’ont pas pu être enregistrées ; rien n’a été importé.</translation>
    </message>
    <message>
        <source>its columns differ from those of %1; import it on its own</source>
        <translation>ses colonnes diffèrent de celles de %1 ; importez-le séparément</translation>
    </message>
    <message>
        <source>holds bytes that are not valid UTF-8</source>
        <translation>contient des octets qui ne sont pas de l&apos;UTF-8 valide</translation>
    </message>
    <message>
        <source>holds the control character 0x%1</source>
        <translation>contient le caractère de contrôle 0x%1</translation>
    </message>
    <message>
        <source>Line %1 of %2 could not be written: %3; nothing was imported.</source>
        <translation>La ligne %1 de %2 n&apos;a pas pu être écrite : %3 ; rien n&apos;a été importé.</translation>
    </message>
    <message>
        <source>its date is outside the years the register takes</source>
        <translation>sa date est hors des années que le registre accepte</translation>
    </message>
    <message>
        <source>its amount would take a balance beyond what can be kept</source>
        <translation>son montant porterait un solde au-delà de ce qui peut être conservé</translation>
    </message>
    <message>
        <source>the database refused it</source>
        <translation>la base de données l&apos;a refusée</translation>
    </message>
</context>
<context>
    <name>ImportValues</name>
    <message>
        <source>no amount</source>
        <translation>montant manquant</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not an amount</source>
        <translation>«&#xa0;%1&#xa0;» n&apos;est pas un montant</translation>
    </message>
    <message>
        <source>no date</source>
        <translation>date manquante</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a date in the format %2</source>
        <translation>«&#xa0;%1&#xa0;» n&apos;est pas une date au format %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a date</source>
        <translation>«&#xa0;%1&#xa0;» n&apos;est pas une date</translation>
    </message>
    <message>
        <source>not a valid date</source>
        <translation>date non valide</translation>
    </message>
    <message>
        <source>date before 1900</source>
        <translation>date antérieure à 1900</translation>
    </message>
    <message>
        <source>&quot;%1&quot; has a group separator after the decimal separator</source>
        <translation>« %1 » a un séparateur de milliers après le séparateur décimal</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not grouped in thousands</source>
        <translation>« %1 » n’est pas groupé par milliers</translation>
    </message>
    <message>
        <source>date more than 20 years from now</source>
        <translation>date à plus de 20 ans dans le futur</translation>
    </message>
    <message>
        <source>amount too large: a register holds at most %1</source>
        <translation>montant trop grand&#xa0;: un registre accepte au plus %1</translation>
    </message>
    <message>
        <source>&quot;%1&quot; has more than one sign</source>
        <translation>«&#xa0;%1&#xa0;» a plus d&apos;un signe</translation>
    </message>
    <message>
        <source>&quot;%1&quot; has more decimals than the currency has (%2)</source>
        <translation>«&#xa0;%1&#xa0;» a plus de décimales que la devise (%2)</translation>
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
        <translation>Synchronisation terminée</translation>
    </message>
    <message>
        <source>Signed in to your Tallowmere Account</source>
        <translation>Connecté à votre compte Tallowmere</translation>
    </message>
    <message>
        <source>Signed in to your Tallowmere Account, but the sign-in could not be saved: it will not be kept after Tallyfern closes.</source>
        <translation>Connecté à votre compte Tallowmere, mais la connexion n&apos;a pas pu être enregistrée&#xa0;: elle ne sera pas conservée après la fermeture de Tallyfern.</translation>
    </message>
    <message>
        <source>Sign In</source>
        <translation>Se connecter</translation>
    </message>
    <message>
        <source>No web browser could be opened. To sign in, open this address in a browser on this computer:</source>
        <translation>Aucun navigateur web n&apos;a pu être ouvert. Pour vous connecter, ouvrez cette adresse dans un navigateur de cet ordinateur&#xa0;:</translation>
    </message>
    <message>
        <source>Sign-in failed: %1</source>
        <translation>Échec de la connexion&#xa0;: %1</translation>
    </message>
    <message>
        <source>Signed out</source>
        <translation>Déconnecté</translation>
    </message>
    <message>
        <source>Tallowmere Account</source>
        <translation>Compte Tallowmere</translation>
    </message>
    <message>
        <source>Upload this computer&apos;s records to the online account %1?</source>
        <translation>Envoyer les données de cet ordinateur vers le compte en ligne %1&#xa0;?</translation>
    </message>
    <message>
        <source>Waiting for sign-in in your browser...</source>
        <translation>En attente de la connexion dans votre navigateur...</translation>
    </message>
    <message>
        <source>%1 — Tallyfern</source>
        <translation>%1 — Tallyfern</translation>
    </message>
    <message>
        <source>Opening Balance</source>
        <translation>Solde initial</translation>
    </message>
    <message>
        <source>New Account</source>
        <translation>Nouveau compte</translation>
    </message>
    <message>
        <source>The account could not be created.</source>
        <translation>Le compte n&apos;a pas pu être créé.</translation>
    </message>
    <message>
        <source>Account &quot;%1&quot; created</source>
        <translation>Compte «&#xa0;%1&#xa0;» créé</translation>
    </message>
    <message>
        <source>Edit Account</source>
        <translation>Modifier le compte</translation>
    </message>
    <message>
        <source>The account could not be saved.</source>
        <translation>Le compte n&apos;a pas pu être enregistré.</translation>
    </message>
    <message>
        <source>Delete Account</source>
        <translation>Supprimer le compte</translation>
    </message>
    <message>
        <source>Delete the account &quot;%1&quot;?

Its transactions, recurring transactions and reconciliations are deleted with it.</source>
        <translation>Supprimer le compte «&#xa0;%1&#xa0;»&#xa0;?

Ses opérations, opérations récurrentes et rapprochements seront supprimés avec lui.</translation>
    </message>
    <message numerus="yes">
        <source>%n transfer(s) link it to other accounts; their other side stays there as it is.</source>
        <translation>
            <numerusform>%n virement le relie à un autre compte&#xa0;; son autre côté y reste tel quel.</numerusform>
            <numerusform>%n virements le relient à d&apos;autres comptes&#xa0;; leur autre côté y reste tel quel.</numerusform>
        </translation>
    </message>
    <message>
        <source>The account could not be deleted.</source>
        <translation>Le compte n&apos;a pas pu être supprimé.</translation>
    </message>
    <message>
        <source>Account &quot;%1&quot; deleted</source>
        <translation>Compte «&#xa0;%1&#xa0;» supprimé</translation>
    </message>
    <message>
        <source>Posted 1 recurring transaction</source>
        <translation>1 opération récurrente passée</translation>
    </message>
    <message>
        <source>Posted %1 recurring transactions</source>
        <translation>%1 opérations récurrentes passées</translation>
    </message>
    <message>
        <source>Share Account</source>
        <translation>Partager le compte</translation>
    </message>
    <message>
        <source>Sharing: %1</source>
        <translation>Partage&#xa0;: %1</translation>
    </message>
    <message>
        <source>Share this account with members of your Tallowmere family group. They&apos;ll see the same register, balances, and reconciliation history on their devices.</source>
        <translation>Partagez ce compte avec les membres de votre groupe familial Tallowmere. Ils verront le même registre, les mêmes soldes et le même historique des rapprochements sur leurs appareils.</translation>
    </message>
    <message>
        <source>Shared with</source>
        <translation>Partagé avec</translation>
    </message>
    <message>
        <source>Not shared with anyone yet.</source>
        <translation>Partagé avec personne pour l&apos;instant.</translation>
    </message>
    <message>
        <source>You are not in a family group yet. Create or join one in your Tallowmere account to share accounts.</source>
        <translation>Vous ne faites encore partie d&apos;aucun groupe familial. Créez-en un ou rejoignez-en un dans votre compte Tallowmere pour partager des comptes.</translation>
    </message>
    <message>
        <source>Share</source>
        <translation>Partager</translation>
    </message>
    <message>
        <source>Remove access</source>
        <translation>Retirer l&apos;accès</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>Share Failed</source>
        <translation>Échec du partage</translation>
    </message>
    <message>
        <source>Remove Failed</source>
        <translation>Échec du retrait</translation>
    </message>
    <message>
        <source>Remove Share</source>
        <translation>Retirer le partage</translation>
    </message>
    <message>
        <source>Remove %1&apos;s access to this account?</source>
        <translation>Retirer l&apos;accès de %1 à ce compte&#xa0;?</translation>
    </message>
    <message>
        <source>Sign-in cancelled</source>
        <translation>Connexion annulée</translation>
    </message>
    <message>
        <source>You were signed out of your Tallowmere Account: the account service no longer accepts this computer&apos;s sign-in. Syncing has stopped; your records on this computer are kept.

To sync again, sign in via File › Tallowmere Account.</source>
        <translation>Vous avez été déconnecté de votre compte Tallowmere : le service de comptes n’accepte plus la connexion de cet ordinateur. La synchronisation s’est arrêtée ; vos données sur cet ordinateur sont conservées.

Pour synchroniser à nouveau, connectez-vous via Fichier › Compte Tallowmere.</translation>
    </message>
    <message>
        <source>Sync waits for your answer</source>
        <translation>La synchronisation attend votre réponse</translation>
    </message>
</context>
<context>
    <name>MainWindowMenus</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <source>Import...</source>
        <translation>Importer...</translation>
    </message>
    <message>
        <source>Tallowmere &amp;Account...</source>
        <translation>&amp;Compte Tallowmere...</translation>
    </message>
    <message>
        <source>Sign &amp;Out of Tallowmere Account</source>
        <translation>Se &amp;déconnecter du compte Tallowmere</translation>
    </message>
    <message>
        <source>&amp;Preferences...</source>
        <translation>&amp;Préférences...</translation>
    </message>
    <message>
        <source>Ctrl+,</source>
        <translation>Ctrl+,</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>&amp;Account</source>
        <translation>&amp;Compte</translation>
    </message>
    <message>
        <source>&amp;New Account...</source>
        <translation>&amp;Nouveau compte...</translation>
    </message>
    <message>
        <source>Ctrl+Shift+N</source>
        <translation>Ctrl+Shift+N</translation>
    </message>
    <message>
        <source>&amp;Edit Account...</source>
        <translation>&amp;Modifier le compte...</translation>
    </message>
    <message>
        <source>&amp;Delete Account...</source>
        <translation>&amp;Supprimer le compte...</translation>
    </message>
    <message>
        <source>&amp;Share Account...</source>
        <translation>&amp;Partager le compte...</translation>
    </message>
    <message>
        <source>&amp;Transaction</source>
        <translation>&amp;Opération</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>Aff&amp;ichage</translation>
    </message>
    <message>
        <source>&amp;Theme</source>
        <translation>&amp;Thème</translation>
    </message>
    <message>
        <source>&amp;System</source>
        <translation>&amp;Système</translation>
    </message>
    <message>
        <source>&amp;Light</source>
        <translation>&amp;Clair</translation>
    </message>
    <message>
        <source>&amp;Dark</source>
        <translation>S&amp;ombre</translation>
    </message>
    <message>
        <source>Sidebar &amp;Balances</source>
        <translation>&amp;Soldes de la barre latérale</translation>
    </message>
    <message>
        <source>&amp;Current Balance</source>
        <translation>Solde &amp;actuel</translation>
    </message>
    <message>
        <source>C&amp;leared Balance</source>
        <translation>Solde &amp;pointé</translation>
    </message>
    <message>
        <source>Balance as of &amp;Today</source>
        <translation>Solde à &amp;ce jour</translation>
    </message>
    <message>
        <source>T&amp;wo-Line Register</source>
        <translation>Registre sur &amp;deux lignes</translation>
    </message>
    <message>
        <source>&amp;Newest First</source>
        <translation>Plus &amp;récentes d&apos;abord</translation>
    </message>
    <message>
        <source>T&amp;ools</source>
        <translation>O&amp;utils</translation>
    </message>
    <message>
        <source>Reconcile...</source>
        <translation>Rapprocher...</translation>
    </message>
    <message>
        <source>Reconciliation History...</source>
        <translation>Historique des rapprochements...</translation>
    </message>
    <message>
        <source>Recurring Transactions...</source>
        <translation>Opérations récurrentes...</translation>
    </message>
    <message>
        <source>Categories...</source>
        <translation>Catégories...</translation>
    </message>
    <message>
        <source>Search Transactions...</source>
        <translation>Rechercher des opérations...</translation>
    </message>
    <message>
        <source>Payees...</source>
        <translation>Bénéficiaires...</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Aide</translation>
    </message>
    <message>
        <source>Check for &amp;Updates...</source>
        <translation>Rechercher des &amp;mises à jour...</translation>
    </message>
    <message>
        <source>What&apos;s &amp;New...</source>
        <translation>&amp;Nouveautés...</translation>
    </message>
    <message>
        <source>Send &amp;Feedback...</source>
        <translation>Envoyer des &amp;commentaires...</translation>
    </message>
    <message>
        <source>Send Feedback</source>
        <translation>Envoyer des commentaires</translation>
    </message>
    <message>
        <source>No web browser could be opened. Open this address in a browser:</source>
        <translation>Aucun navigateur web n&apos;a pu être ouvert. Ouvrez cette adresse dans un navigateur&#xa0;:</translation>
    </message>
    <message>
        <source>&amp;About Tallyfern</source>
        <translation>À &amp;propos de Tallyfern</translation>
    </message>
    <message>
        <source>About Tallyfern</source>
        <translation>À propos de Tallyfern</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Tallyfern %1&lt;/h3&gt;&lt;p&gt;A check register for your desktop: accounts, transactions, transfers and splits, kept in one file on this computer.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Tallyfern %1&lt;/h3&gt;&lt;p&gt;Un registre de chèques pour votre ordinateur&#xa0;: comptes, opérations, virements et ventilations, conservés dans un seul fichier sur cet ordinateur.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Show &amp;Running Balance</source>
        <translation>Afficher le solde &amp;cumulé</translation>
    </message>
</context>
<context>
    <name>PayeeScreen</name>
    <message>
        <source>Payee Management</source>
        <translation>Gestion des bénéficiaires</translation>
    </message>
    <message>
        <source>Rename to:</source>
        <translation>Renommer en&#xa0;:</translation>
    </message>
    <message>
        <source>Rename Selected</source>
        <translation>Renommer la sélection</translation>
    </message>
    <message>
        <source>Merge Selected</source>
        <translation>Fusionner la sélection</translation>
    </message>
    <message>
        <source>Rename Failed</source>
        <translation>Échec du renommage</translation>
    </message>
    <message>
        <source>Rename Complete</source>
        <translation>Renommage terminé</translation>
    </message>
    <message numerus="yes">
        <source>Renamed %n transaction(s).</source>
        <translation>
            <numerusform>%n opération renommée.</numerusform>
            <numerusform>%n opérations renommées.</numerusform>
        </translation>
    </message>
    <message>
        <source>Merge</source>
        <translation>Fusionner</translation>
    </message>
    <message>
        <source>Select 2 or more payees to merge.</source>
        <translation>Sélectionnez au moins 2 bénéficiaires à fusionner.</translation>
    </message>
    <message>
        <source>Merge Payees</source>
        <translation>Fusionner les bénéficiaires</translation>
    </message>
    <message>
        <source>Merge %1 payees into &quot;%2&quot;?</source>
        <translation>Fusionner %1 bénéficiaires en «&#xa0;%2&#xa0;»&#xa0;?</translation>
    </message>
    <message>
        <source>Merge Failed</source>
        <translation>Échec de la fusion</translation>
    </message>
    <message>
        <source>Merge Complete</source>
        <translation>Fusion terminée</translation>
    </message>
    <message numerus="yes">
        <source>Merged %n transaction(s).</source>
        <translation>
            <numerusform>%n opération fusionnée.</numerusform>
            <numerusform>%n opérations fusionnées.</numerusform>
        </translation>
    </message>
    <message>
        <source>The opening balances could not be kept.</source>
        <translation>Les soldes initiaux n&apos;ont pas pu être conservés.</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Failed to share account (HTTP %1)</source>
        <translation>Impossible de partager le compte (HTTP %1)</translation>
    </message>
    <message>
        <source>Checking for updates…</source>
        <translation>Recherche de mises à jour…</translation>
    </message>
    <message>
        <source>%1 is up to date (version %2)</source>
        <translation>%1 est à jour (version %2)</translation>
    </message>
    <message>
        <source>Update check failed: %1</source>
        <translation>Échec de la recherche de mises à jour&#xa0;: %1</translation>
    </message>
    <message>
        <source>No release notes available for %1 %2</source>
        <translation>Aucune note de version disponible pour %1 %2</translation>
    </message>
    <message>
        <source>Loading release notes…</source>
        <translation>Chargement des notes de version…</translation>
    </message>
</context>
<context>
    <name>QifReader</name>
    <message>
        <source>a record outside of any section</source>
        <translation>un enregistrement hors de toute section</translation>
    </message>
    <message>
        <source>the section %1 is not read</source>
        <translation>la section %1 n&apos;est pas lue</translation>
    </message>
    <message>
        <source>the split amounts do not add up to the total</source>
        <translation>les montants de la ventilation ne correspondent pas au total</translation>
    </message>
    <message>
        <source>&quot;%1&quot; shows a decimal comma, other amounts of the file a decimal point</source>
        <translation>«&#xa0;%1&#xa0;» montre une virgule décimale, d&apos;autres montants du fichier un point décimal</translation>
    </message>
    <message>
        <source>&quot;%1&quot; shows a decimal point, other amounts of the file a decimal comma</source>
        <translation>«&#xa0;%1&#xa0;» montre un point décimal, d&apos;autres montants du fichier une virgule décimale</translation>
    </message>
</context>
<context>
    <name>ReconciliationHistoryScreen</name>
    <message>
        <source>Reconciliation History</source>
        <translation>Historique des rapprochements</translation>
    </message>
    <message>
        <source>Past reconciliations for this account.</source>
        <translation>Rapprochements précédents de ce compte.</translation>
    </message>
    <message>
        <source>Statement Date</source>
        <translation>Date du relevé</translation>
    </message>
    <message>
        <source>Statement Balance</source>
        <translation>Solde du relevé</translation>
    </message>
    <message>
        <source>Reconciled Balance</source>
        <translation>Solde rapproché</translation>
    </message>
    <message>
        <source>Completed</source>
        <translation>Terminé le</translation>
    </message>
    <message>
        <source>No reconciliations yet. Reconcile your account from the register to see the history here.</source>
        <translation>Aucun rapprochement pour l&apos;instant. Rapprochez votre compte depuis le registre pour en voir l&apos;historique ici.</translation>
    </message>
    <message>
        <source>Reconciliation History — %1</source>
        <translation>Historique des rapprochements — %1</translation>
    </message>
</context>
<context>
    <name>ReconciliationScreen</name>
    <message>
        <source>Reconcile Account</source>
        <translation>Rapprocher le compte</translation>
    </message>
    <message>
        <source>Statement Date:</source>
        <translation>Date du relevé&#xa0;:</translation>
    </message>
    <message>
        <source>Statement Balance:</source>
        <translation>Solde du relevé&#xa0;:</translation>
    </message>
    <message>
        <source>Previous Balance</source>
        <translation>Solde précédent</translation>
    </message>
    <message>
        <source>Cleared Deposits</source>
        <translation>Dépôts pointés</translation>
    </message>
    <message>
        <source>Cleared Withdrawals</source>
        <translation>Retraits pointés</translation>
    </message>
    <message>
        <source>Cleared Balance</source>
        <translation>Solde pointé</translation>
    </message>
    <message>
        <source>Statement Balance</source>
        <translation>Solde du relevé</translation>
    </message>
    <message>
        <source>Difference</source>
        <translation>Écart</translation>
    </message>
    <message>
        <source>Finish Reconciliation</source>
        <translation>Terminer le rapprochement</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Add Transaction</source>
        <translation>Ajouter une opération</translation>
    </message>
    <message>
        <source>Add a transaction (%1)</source>
        <translation>Ajouter une opération (%1)</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Modifier</translation>
    </message>
    <message>
        <source>Edit selected transaction (F2)</source>
        <translation>Modifier l&apos;opération sélectionnée (F2)</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Supprimer</translation>
    </message>
    <message>
        <source>Delete selected transaction (Del)</source>
        <translation>Supprimer l&apos;opération sélectionnée (Suppr)</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Payee</source>
        <translation>Bénéficiaire</translation>
    </message>
    <message>
        <source>Amount</source>
        <translation>Montant</translation>
    </message>
    <message>
        <source>Clr</source>
        <translation>Pt</translation>
    </message>
    <message>
        <source>Reconciliation Complete</source>
        <translation>Rapprochement terminé</translation>
    </message>
    <message>
        <source>Account reconciled successfully.</source>
        <translation>Le compte a bien été rapproché.</translation>
    </message>
    <message>
        <source>Transactions Changed</source>
        <translation>Opérations modifiées</translation>
    </message>
    <message>
        <source>Some of the ticked transactions were changed or deleted since they were shown. Nothing was reconciled; the list has been read again. Check the difference and finish again.</source>
        <translation>Certaines des opérations cochées ont été modifiées ou supprimées depuis leur affichage. Rien n&apos;a été rapproché&#xa0;; la liste a été relue. Vérifiez l&apos;écart et terminez à nouveau.</translation>
    </message>
    <message>
        <source>Reconciliation Failed</source>
        <translation>Échec du rapprochement</translation>
    </message>
    <message>
        <source>The reconciliation could not be saved. Nothing was changed.</source>
        <translation>Le rapprochement n&apos;a pas pu être enregistré. Rien n&apos;a été modifié.</translation>
    </message>
    <message>
        <source>Save Failed</source>
        <translation>Échec de l&apos;enregistrement</translation>
    </message>
    <message>
        <source>The transaction could not be saved.</source>
        <translation>L&apos;opération n&apos;a pas pu être enregistrée.</translation>
    </message>
    <message>
        <source>Delete Transaction</source>
        <translation>Supprimer l&apos;opération</translation>
    </message>
    <message>
        <source>Delete the transaction for %1?</source>
        <translation>Supprimer l&apos;opération pour %1&#xa0;?</translation>
    </message>
    <message>
        <source>Delete Failed</source>
        <translation>Échec de la suppression</translation>
    </message>
    <message>
        <source>The transaction could not be deleted.</source>
        <translation>L&apos;opération n&apos;a pas pu être supprimée.</translation>
    </message>
</context>
<context>
    <name>RecurringFormDialog</name>
    <message>
        <source>Last day</source>
        <translation>Dernier jour</translation>
    </message>
    <message>
        <source>Edit Recurring Transaction</source>
        <translation>Modifier l&apos;opération récurrente</translation>
    </message>
    <message>
        <source>New Recurring Transaction</source>
        <translation>Nouvelle opération récurrente</translation>
    </message>
    <message>
        <source>Memorize Transaction</source>
        <translation>Mémoriser l&apos;opération</translation>
    </message>
    <message>
        <source>Account:</source>
        <translation>Compte&#xa0;:</translation>
    </message>
    <message>
        <source>Payment</source>
        <translation>Paiement</translation>
    </message>
    <message>
        <source>Deposit</source>
        <translation>Dépôt</translation>
    </message>
    <message>
        <source>Type:</source>
        <translation>Type&#xa0;:</translation>
    </message>
    <message>
        <source>Start typing to search payees...</source>
        <translation>Commencez à taper pour rechercher un bénéficiaire...</translation>
    </message>
    <message>
        <source>Payee:</source>
        <translation>Bénéficiaire&#xa0;:</translation>
    </message>
    <message>
        <source>Amount:</source>
        <translation>Montant&#xa0;:</translation>
    </message>
    <message>
        <source>Category:</source>
        <translation>Catégorie&#xa0;:</translation>
    </message>
    <message>
        <source>Optional</source>
        <translation>Facultatif</translation>
    </message>
    <message>
        <source>Memo:</source>
        <translation>Mémo&#xa0;:</translation>
    </message>
    <message>
        <source>Daily</source>
        <translation>Quotidienne</translation>
    </message>
    <message>
        <source>Weekly</source>
        <translation>Hebdomadaire</translation>
    </message>
    <message>
        <source>Bi-weekly</source>
        <translation>Toutes les deux semaines</translation>
    </message>
    <message>
        <source>Monthly</source>
        <translation>Mensuelle</translation>
    </message>
    <message>
        <source>Semi-monthly</source>
        <translation>Deux fois par mois</translation>
    </message>
    <message>
        <source>Quarterly</source>
        <translation>Trimestrielle</translation>
    </message>
    <message>
        <source>Semi-annual</source>
        <translation>Semestrielle</translation>
    </message>
    <message>
        <source>Annual</source>
        <translation>Annuelle</translation>
    </message>
    <message>
        <source>Frequency:</source>
        <translation>Fréquence&#xa0;:</translation>
    </message>
    <message>
        <source>Repeat every:</source>
        <translation>Répéter tous les&#xa0;:</translation>
    </message>
    <message>
        <source>First day:</source>
        <translation>Premier jour&#xa0;:</translation>
    </message>
    <message>
        <source>Second day:</source>
        <translation>Deuxième jour&#xa0;:</translation>
    </message>
    <message>
        <source>Start Date:</source>
        <translation>Date de début&#xa0;:</translation>
    </message>
    <message>
        <source>Has end date</source>
        <translation>A une date de fin</translation>
    </message>
    <message>
        <source>End Date:</source>
        <translation>Date de fin&#xa0;:</translation>
    </message>
    <message>
        <source>Auto-post when due</source>
        <translation>Passer automatiquement à l&apos;échéance</translation>
    </message>
    <message>
        <source> days</source>
        <translation> jours</translation>
    </message>
    <message>
        <source>Enter in advance:</source>
        <translation>Saisir à l&apos;avance&#xa0;:</translation>
    </message>
    <message>
        <source>Active</source>
        <translation>Active</translation>
    </message>
    <message>
        <source>(none)</source>
        <translation>(aucune)</translation>
    </message>
    <message>
        <source>day</source>
        <translation>jour</translation>
    </message>
    <message>
        <source>days</source>
        <translation>jours</translation>
    </message>
    <message>
        <source>week</source>
        <translation>semaine</translation>
    </message>
    <message>
        <source>weeks</source>
        <translation>semaines</translation>
    </message>
    <message>
        <source>month</source>
        <translation>mois</translation>
    </message>
    <message>
        <source>months</source>
        <translation>mois</translation>
    </message>
    <message>
        <source>quarter</source>
        <translation>trimestre</translation>
    </message>
    <message>
        <source>quarters</source>
        <translation>trimestres</translation>
    </message>
    <message>
        <source>year</source>
        <translation>an</translation>
    </message>
    <message>
        <source>years</source>
        <translation>ans</translation>
    </message>
    <message>
        <source>Create an account first: a recurring transaction is posted to an account.</source>
        <translation>Créez d&apos;abord un compte : une opération récurrente est passée sur un compte.</translation>
    </message>
</context>
<context>
    <name>RecurringModel</name>
    <message>
        <source>Yes</source>
        <translation>Oui</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Non</translation>
    </message>
    <message>
        <source>Active</source>
        <translation>Active</translation>
    </message>
    <message>
        <source>Inactive</source>
        <translation>Inactive</translation>
    </message>
    <message>
        <source>Account</source>
        <translation>Compte</translation>
    </message>
    <message>
        <source>Payee</source>
        <translation>Bénéficiaire</translation>
    </message>
    <message>
        <source>Amount</source>
        <translation>Montant</translation>
    </message>
    <message>
        <source>Frequency</source>
        <translation>Fréquence</translation>
    </message>
    <message>
        <source>Next Due</source>
        <translation>Prochaine échéance</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>Auto</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>État</translation>
    </message>
    <message>
        <source>Semi-monthly (%1 &amp; %2)</source>
        <translation>Deux fois par mois (%1 et %2)</translation>
    </message>
    <message>
        <source>Every %1 days</source>
        <translation>Tous les %1 jours</translation>
    </message>
    <message>
        <source>Every %1 weeks</source>
        <translation>Toutes les %1 semaines</translation>
    </message>
    <message>
        <source>Every %1 months</source>
        <translation>Tous les %1 mois</translation>
    </message>
    <message>
        <source>Every %1 years</source>
        <translation>Tous les %1 ans</translation>
    </message>
    <message>
        <source>%1 (×%2)</source>
        <translation>%1 (×%2)</translation>
    </message>
    <message>
        <source>last day</source>
        <translation>dernier jour</translation>
    </message>
</context>
<context>
    <name>RecurringScreen</name>
    <message>
        <source>Recurring Transactions</source>
        <translation>Opérations récurrentes</translation>
    </message>
    <message>
        <source>Confirm All Due</source>
        <translation>Confirmer toutes les échéances</translation>
    </message>
    <message>
        <source>Enter Next 7 Days</source>
        <translation>Saisir les 7 prochains jours</translation>
    </message>
    <message>
        <source>New Recurring</source>
        <translation>Nouvelle récurrente</translation>
    </message>
    <message>
        <source>(%1 due)</source>
        <translation>(%1 à échéance)</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Modifier</translation>
    </message>
    <message>
        <source>&amp;Confirm</source>
        <translation>&amp;Confirmer</translation>
    </message>
    <message>
        <source>&amp;Skip</source>
        <translation>&amp;Ignorer</translation>
    </message>
    <message>
        <source>Enter &amp;Early...</source>
        <translation>Saisir par &amp;anticipation...</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Supprimer</translation>
    </message>
    <message>
        <source>Enter all recurring transactions due in the next 7 days? They are dated their due dates and you can edit or delete them later.</source>
        <translation>Saisir toutes les opérations récurrentes qui arrivent à échéance dans les 7 prochains jours&#xa0;? Elles sont datées de leur échéance et vous pourrez les modifier ou les supprimer plus tard.</translation>
    </message>
    <message>
        <source>Enter Early</source>
        <translation>Saisir par anticipation</translation>
    </message>
    <message>
        <source>Enter &quot;%1&quot; now, dated %2? The transaction is dated its due date and you can edit or delete it later.</source>
        <translation>Saisir «&#xa0;%1&#xa0;» maintenant, à la date du %2&#xa0;? L&apos;opération est datée de son échéance et vous pourrez la modifier ou la supprimer plus tard.</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Supprimer</translation>
    </message>
    <message>
        <source>Delete recurring &quot;%1&quot;?</source>
        <translation>Supprimer l&apos;opération récurrente «&#xa0;%1&#xa0;»&#xa0;?</translation>
    </message>
</context>
<context>
    <name>RegisterCells</name>
    <message>
        <source>Reconciled</source>
        <translation>Rapprochée</translation>
    </message>
    <message>
        <source>Cleared</source>
        <translation>Pointée</translation>
    </message>
    <message>
        <source>Not cleared</source>
        <translation>Non pointée</translation>
    </message>
</context>
<context>
    <name>RegisterCommands</name>
    <message>
        <source>&amp;New Transaction...</source>
        <translation>&amp;Nouvelle opération...</translation>
    </message>
    <message>
        <source>Ctrl+N</source>
        <translation>Ctrl+N</translation>
    </message>
    <message>
        <source>&amp;Edit Transaction...</source>
        <translation>&amp;Modifier l&apos;opération...</translation>
    </message>
    <message>
        <source>Ctrl+E</source>
        <translation>Ctrl+E</translation>
    </message>
    <message>
        <source>De&amp;tails...</source>
        <translation>Dé&amp;tails...</translation>
    </message>
    <message>
        <source>Ctrl+I</source>
        <translation>Ctrl+I</translation>
    </message>
    <message>
        <source>&amp;Splits...</source>
        <translation>&amp;Ventilation...</translation>
    </message>
    <message>
        <source>Ctrl+Shift+S</source>
        <translation>Ctrl+Shift+S</translation>
    </message>
    <message>
        <source>D&amp;uplicate...</source>
        <translation>D&amp;upliquer...</translation>
    </message>
    <message>
        <source>Ctrl+D</source>
        <translation>Ctrl+D</translation>
    </message>
    <message>
        <source>&amp;Memorize Transaction...</source>
        <translation>Mémo&amp;riser l&apos;opération...</translation>
    </message>
    <message>
        <source>Ctrl+M</source>
        <translation>Ctrl+M</translation>
    </message>
    <message>
        <source>Toggle &amp;Cleared</source>
        <translation>&amp;Pointer / dépointer</translation>
    </message>
    <message>
        <source>Ctrl+K</source>
        <translation>Ctrl+K</translation>
    </message>
    <message>
        <source>&amp;Delete Transaction...</source>
        <translation>&amp;Supprimer l&apos;opération...</translation>
    </message>
    <message>
        <source>Ctrl+Del</source>
        <translation>Ctrl+Del</translation>
    </message>
    <message>
        <source>&amp;Filter...</source>
        <translation>&amp;Filtrer...</translation>
    </message>
    <message>
        <source>Ctrl+F</source>
        <translation>Ctrl+F</translation>
    </message>
    <message>
        <source>C&amp;lear Filter</source>
        <translation>&amp;Effacer le filtre</translation>
    </message>
    <message>
        <source>Ctrl+Shift+F</source>
        <translation>Ctrl+Shift+F</translation>
    </message>
    <message>
        <source>Save Failed</source>
        <translation>Échec de l&apos;enregistrement</translation>
    </message>
    <message>
        <source>The transaction could not be saved.</source>
        <translation>L&apos;opération n&apos;a pas pu être enregistrée.</translation>
    </message>
    <message>
        <source>Cannot memorize: source transaction has an invalid date</source>
        <translation>Mémorisation impossible&#xa0;: l&apos;opération d&apos;origine a une date non valide</translation>
    </message>
    <message>
        <source>Transaction memorized as recurring</source>
        <translation>Opération mémorisée comme récurrente</translation>
    </message>
    <message>
        <source>The transaction could not be memorized</source>
        <translation>L&apos;opération n&apos;a pas pu être mémorisée</translation>
    </message>
    <message>
        <source>Transaction deleted</source>
        <translation>Opération supprimée</translation>
    </message>
</context>
<context>
    <name>RegisterDelegate</name>
    <message>
        <source>There is no category &quot;%1&quot;. Press Tab to create it.</source>
        <translation>La catégorie «&#xa0;%1&#xa0;» n&apos;existe pas. Appuyez sur Tab pour la créer.</translation>
    </message>
    <message>
        <source>New Category</source>
        <translation>Nouvelle catégorie</translation>
    </message>
    <message>
        <source>Create category &quot;%1&quot;?</source>
        <translation>Créer la catégorie «&#xa0;%1&#xa0;»&#xa0;?</translation>
    </message>
    <message>
        <source>The category &quot;%1&quot; could not be created.</source>
        <translation>La catégorie «&#xa0;%1&#xa0;» n&apos;a pas pu être créée.</translation>
    </message>
    <message>
        <source>New transaction…</source>
        <translation>Nouvelle opération…</translation>
    </message>
    <message>
        <source>Category</source>
        <translation>Catégorie</translation>
    </message>
</context>
<context>
    <name>RegisterEntryRow</name>
    <message>
        <source>Save Failed</source>
        <translation>Échec de l&apos;enregistrement</translation>
    </message>
    <message>
        <source>The transaction could not be saved. Check the transfer account and try again.</source>
        <translation>L&apos;opération n&apos;a pas pu être enregistrée. Vérifiez le compte du virement et réessayez.</translation>
    </message>
    <message>
        <source>Transaction added</source>
        <translation>Opération ajoutée</translation>
    </message>
</context>
<context>
    <name>RegisterFilter</name>
    <message>
        <source>containing &quot;%1&quot;</source>
        <translation>contenant «&#xa0;%1&#xa0;»</translation>
    </message>
    <message>
        <source>from %1 to %2</source>
        <translation>du %1 au %2</translation>
    </message>
    <message>
        <source>from %1</source>
        <translation>à partir du %1</translation>
    </message>
    <message>
        <source>through %1</source>
        <translation>jusqu&apos;au %1</translation>
    </message>
    <message>
        <source>cleared</source>
        <translation>pointées</translation>
    </message>
    <message>
        <source>not cleared</source>
        <translation>non pointées</translation>
    </message>
</context>
<context>
    <name>RegisterFilterDialog</name>
    <message>
        <source>Filter Register</source>
        <translation>Filtrer le registre</translation>
    </message>
    <message>
        <source>Payee, memo, check number or category</source>
        <translation>Bénéficiaire, mémo, n° de chèque ou catégorie</translation>
    </message>
    <message>
        <source>&amp;Text:</source>
        <translation>&amp;Texte&#xa0;:</translation>
    </message>
    <message>
        <source>&amp;From:</source>
        <translation>&amp;Du&#xa0;:</translation>
    </message>
    <message>
        <source>T&amp;o:</source>
        <translation>&amp;Au&#xa0;:</translation>
    </message>
    <message>
        <source>All transactions</source>
        <translation>Toutes les opérations</translation>
    </message>
    <message>
        <source>Cleared only</source>
        <translation>Pointées seulement</translation>
    </message>
    <message>
        <source>Not cleared only</source>
        <translation>Non pointées seulement</translation>
    </message>
    <message>
        <source>&amp;Status:</source>
        <translation>&amp;État&#xa0;:</translation>
    </message>
</context>
<context>
    <name>RegisterHeading</name>
    <message>
        <source>Cleared balance</source>
        <translation>Solde pointé</translation>
    </message>
    <message>
        <source>Current balance</source>
        <translation>Solde actuel</translation>
    </message>
    <message>
        <source>No account selected</source>
        <translation>Aucun compte sélectionné</translation>
    </message>
</context>
<context>
    <name>RegisterModel</name>
    <message>
        <source>(deleted account)</source>
        <translation>(compte supprimé)</translation>
    </message>
    <message>
        <source>Transfer from %1</source>
        <translation>Virement de %1</translation>
    </message>
    <message>
        <source>Transfer to %1</source>
        <translation>Virement vers %1</translation>
    </message>
    <message>
        <source>— Split —</source>
        <translation>— Ventilée —</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Chk #</source>
        <translation>N° chèque</translation>
    </message>
    <message>
        <source>Payee / Memo</source>
        <translation>Bénéficiaire / Mémo</translation>
    </message>
    <message>
        <source>Payee</source>
        <translation>Bénéficiaire</translation>
    </message>
    <message>
        <source>Category</source>
        <translation>Catégorie</translation>
    </message>
    <message>
        <source>Memo</source>
        <translation>Mémo</translation>
    </message>
    <message>
        <source>Payment</source>
        <translation>Paiement</translation>
    </message>
    <message>
        <source>Deposit</source>
        <translation>Dépôt</translation>
    </message>
    <message>
        <source>Clr</source>
        <translation>Pt</translation>
    </message>
    <message>
        <source>Balance</source>
        <translation>Solde</translation>
    </message>
    <message>
        <source>R</source>
        <comment>mark of a reconciled transaction in the cleared column</comment>
        <translation>R</translation>
    </message>
</context>
<context>
    <name>RegisterScreen</name>
    <message>
        <source>Clear Filter</source>
        <translation>Effacer le filtre</translation>
    </message>
    <message>
        <source>The transactions of this account could not be read from the database.</source>
        <translation>Les opérations de ce compte n&apos;ont pas pu être lues dans la base de données.</translation>
    </message>
    <message>
        <source>Showing transactions %1.</source>
        <translation>Opérations affichées&#xa0;: %1.</translation>
    </message>
    <message>
        <source>A reconciled transaction stays cleared.</source>
        <translation>Une opération rapprochée reste pointée.</translation>
    </message>
    <message>
        <source>The transaction could not be saved.</source>
        <translation>L&apos;opération n&apos;a pas pu être enregistrée.</translation>
    </message>
    <message>
        <source>The amounts of %1 are too large to add up.</source>
        <translation>Les montants de %1 sont trop élevés pour être additionnés.</translation>
    </message>
</context>
<context>
    <name>SearchScreen</name>
    <message>
        <source>Search payee, memo, check number...</source>
        <translation>Rechercher bénéficiaire, mémo, n° de chèque...</translation>
    </message>
    <message>
        <source>Account:</source>
        <translation>Compte&#xa0;:</translation>
    </message>
    <message>
        <source>All Accounts</source>
        <translation>Tous les comptes</translation>
    </message>
    <message>
        <source>Category:</source>
        <translation>Catégorie&#xa0;:</translation>
    </message>
    <message>
        <source>All Categories</source>
        <translation>Toutes les catégories</translation>
    </message>
    <message>
        <source>Date range:</source>
        <translation>Période&#xa0;:</translation>
    </message>
    <message>
        <source>to</source>
        <translation>au</translation>
    </message>
    <message>
        <source>Cleared only</source>
        <translation>Pointées seulement</translation>
    </message>
    <message>
        <source>Edit &amp;Splits...</source>
        <translation>Modifier la &amp;ventilation...</translation>
    </message>
    <message>
        <source>&amp;Split Transaction...</source>
        <translation>V&amp;entiler l&apos;opération...</translation>
    </message>
    <message>
        <source>&amp;Edit in Dialog...</source>
        <translation>&amp;Modifier dans une fenêtre...</translation>
    </message>
    <message>
        <source>Mark &amp;Uncleared</source>
        <translation>Marquer comme &amp;non pointée</translation>
    </message>
    <message>
        <source>Mark &amp;Cleared</source>
        <translation>Marquer comme &amp;pointée</translation>
    </message>
    <message>
        <source>&amp;Delete...</source>
        <translation>&amp;Supprimer...</translation>
    </message>
    <message>
        <source>Show De&amp;tails...</source>
        <translation>Afficher les &amp;détails...</translation>
    </message>
    <message>
        <source>Du&amp;plicate...</source>
        <translation>D&amp;upliquer...</translation>
    </message>
</context>
<context>
    <name>SettingsDataSyncPage</name>
    <message>
        <source>Data &amp; Sync</source>
        <translation>Données et synchronisation</translation>
    </message>
    <message>
        <source>Sync</source>
        <translation>Synchronisation</translation>
    </message>
    <message>
        <source>Keep your tallyfern in sync across all your devices.</source>
        <translation>Gardez Tallyfern synchronisé sur tous vos appareils.</translation>
    </message>
    <message>
        <source>Sync Now</source>
        <translation>Synchroniser</translation>
    </message>
    <message>
        <source>Force Full Sync</source>
        <translation>Forcer une synchronisation complète</translation>
    </message>
    <message>
        <source>Backup &amp; Restore</source>
        <translation>Sauvegarde et restauration</translation>
    </message>
    <message>
        <source>Save or restore your data to a portable backup file.</source>
        <translation>Enregistrez vos données dans un fichier de sauvegarde portable, ou restaurez-les à partir de celui-ci.</translation>
    </message>
    <message>
        <source>Export Backup</source>
        <translation>Exporter une sauvegarde</translation>
    </message>
    <message>
        <source>Import Backup</source>
        <translation>Importer une sauvegarde</translation>
    </message>
    <message>
        <source>Deleted Accounts</source>
        <translation>Comptes supprimés</translation>
    </message>
    <message>
        <source>Accounts you&apos;ve deleted can be restored here.</source>
        <translation>Les comptes que vous avez supprimés peuvent être restaurés ici.</translation>
    </message>
    <message>
        <source>Restore Selected</source>
        <translation>Restaurer la sélection</translation>
    </message>
    <message>
        <source>Not signed in.
Sign in via File › Tallowmere Account to enable sync.</source>
        <translation>Non connecté.
Connectez-vous via Fichier › Compte Tallowmere pour activer la synchronisation.</translation>
    </message>
    <message>
        <source>&lt;b&gt;Signed in as:&lt;/b&gt; %1&lt;br&gt;&lt;b&gt;Status:&lt;/b&gt; &lt;span style=&quot;color:%2&quot;&gt;%3&lt;/span&gt;</source>
        <translation>&lt;b&gt;Connecté en tant que&#xa0;:&lt;/b&gt; %1&lt;br&gt;&lt;b&gt;État&#xa0;:&lt;/b&gt; &lt;span style=&quot;color:%2&quot;&gt;%3&lt;/span&gt;</translation>
    </message>
    <message>
        <source>Last synced: %1</source>
        <translation>Dernière synchronisation&#xa0;: %1</translation>
    </message>
    <message>
        <source>Never synced</source>
        <translation>Jamais synchronisé</translation>
    </message>
    <message>
        <source>
Error: %1</source>
        <translation>
Erreur&#xa0;: %1</translation>
    </message>
    <message>
        <source>Syncing...</source>
        <translation>Synchronisation...</translation>
    </message>
    <message>
        <source>This will re-upload every local row to the server and re-download all server data. Use this if data appears out of sync between devices.

Continue?</source>
        <translation>Toutes les données locales seront renvoyées au serveur et toutes les données du serveur seront téléchargées à nouveau. À utiliser si les données semblent différer d&apos;un appareil à l&apos;autre.

Continuer&#xa0;?</translation>
    </message>
    <message>
        <source>ZIP Files (*.zip)</source>
        <translation>Fichiers ZIP (*.zip)</translation>
    </message>
    <message>
        <source>Exporting...</source>
        <translation>Exportation...</translation>
    </message>
    <message>
        <source>Backup Complete</source>
        <translation>Sauvegarde terminée</translation>
    </message>
    <message>
        <source>Backup saved to:
%1</source>
        <translation>Sauvegarde enregistrée dans&#xa0;:
%1</translation>
    </message>
    <message>
        <source>Backup Failed</source>
        <translation>Échec de la sauvegarde</translation>
    </message>
    <message>
        <source>Could not write to:
%1</source>
        <translation>Écriture impossible dans&#xa0;:
%1</translation>
    </message>
    <message>
        <source>Replace all with backup data</source>
        <translation>Tout remplacer par les données de la sauvegarde</translation>
    </message>
    <message>
        <source>Keep newer (compare timestamps)</source>
        <translation>Garder le plus récent (comparer les dates de modification)</translation>
    </message>
    <message>
        <source>Skip existing items</source>
        <translation>Ignorer les éléments existants</translation>
    </message>
    <message>
        <source>Import Mode</source>
        <translation>Mode d&apos;importation</translation>
    </message>
    <message>
        <source>How should existing data be handled?</source>
        <translation>Que faire des données existantes&#xa0;?</translation>
    </message>
    <message>
        <source>Import Failed</source>
        <translation>Échec de l&apos;importation</translation>
    </message>
    <message>
        <source>Could not read file.</source>
        <translation>Impossible de lire le fichier.</translation>
    </message>
    <message>
        <source>Importing...</source>
        <translation>Importation...</translation>
    </message>
    <message>
        <source>Imported %1 items, skipped %2.</source>
        <translation>%1 éléments importés, %2 ignorés.</translation>
    </message>
    <message>
        <source>Import Complete</source>
        <translation>Importation terminée</translation>
    </message>
    <message>
        <source>Exporting backup...</source>
        <translation>Exportation de la sauvegarde...</translation>
    </message>
    <message>
        <source>Restoring backup...</source>
        <translation>Restauration de la sauvegarde...</translation>
    </message>
    <message>
        <source>Not restored:</source>
        <translation>Non restauré :</translation>
    </message>
    <message numerus="yes">
        <source>... and %n more</source>
        <translation>
            <numerusform>... et %n de plus</numerusform>
            <numerusform>... et %n de plus</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>SettingsScreen</name>
    <message>
        <source>General</source>
        <translation>Général</translation>
    </message>
    <message>
        <source>Register</source>
        <translation>Registre</translation>
    </message>
    <message>
        <source>Data &amp; Sync</source>
        <translation>Données et synchronisation</translation>
    </message>
    <message>
        <source>About</source>
        <translation>À propos</translation>
    </message>
    <message>
        <source>Appearance</source>
        <translation>Apparence</translation>
    </message>
    <message>
        <source>Control how Tallowmere Tallyfern looks.</source>
        <translation>Réglez l&apos;apparence de Tallowmere Tallyfern.</translation>
    </message>
    <message>
        <source>System Default</source>
        <translation>Valeur du système</translation>
    </message>
    <message>
        <source>Light</source>
        <translation>Clair</translation>
    </message>
    <message>
        <source>Dark</source>
        <translation>Sombre</translation>
    </message>
    <message>
        <source>Theme</source>
        <translation>Thème</translation>
    </message>
    <message>
        <source>Choose accent color</source>
        <translation>Choisir la couleur d&apos;accentuation</translation>
    </message>
    <message>
        <source>Accent color</source>
        <translation>Couleur d&apos;accentuation</translation>
    </message>
    <message>
        <source>Small</source>
        <translation>Petite</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Par défaut</translation>
    </message>
    <message>
        <source>Medium</source>
        <translation>Moyenne</translation>
    </message>
    <message>
        <source>Large</source>
        <translation>Grande</translation>
    </message>
    <message>
        <source>Extra Large</source>
        <translation>Très grande</translation>
    </message>
    <message>
        <source>Font size</source>
        <translation>Taille du texte</translation>
    </message>
    <message>
        <source>Regional</source>
        <translation>Région</translation>
    </message>
    <message>
        <source>Date and calendar preferences.</source>
        <translation>Préférences de date et de calendrier.</translation>
    </message>
    <message>
        <source>Sunday</source>
        <translation>Dimanche</translation>
    </message>
    <message>
        <source>Monday</source>
        <translation>Lundi</translation>
    </message>
    <message>
        <source>Saturday</source>
        <translation>Samedi</translation>
    </message>
    <message>
        <source>Week starts on</source>
        <translation>La semaine commence le</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Langue</translation>
    </message>
    <message>
        <source>Display</source>
        <translation>Affichage</translation>
    </message>
    <message>
        <source>How transactions appear in the register.</source>
        <translation>Présentation des opérations dans le registre.</translation>
    </message>
    <message>
        <source>Two-line rows</source>
        <translation>Lignes sur deux niveaux</translation>
    </message>
    <message>
        <source>Show memo on a second line below the payee.</source>
        <translation>Afficher le mémo sur une deuxième ligne sous le bénéficiaire.</translation>
    </message>
    <message>
        <source>Auto-decimal point</source>
        <translation>Séparateur décimal automatique</translation>
    </message>
    <message>
        <source>Type 1234 to enter 12.34. The last two digits are always cents.</source>
        <translation>Tapez 1234 pour saisir 12.34. Les deux derniers chiffres sont toujours les centimes.</translation>
    </message>
    <message>
        <source>Current balance</source>
        <translation>Solde actuel</translation>
    </message>
    <message>
        <source>Cleared balance</source>
        <translation>Solde pointé</translation>
    </message>
    <message>
        <source>Balance as of today</source>
        <translation>Solde à ce jour</translation>
    </message>
    <message>
        <source>Account list shows</source>
        <translation>La liste des comptes affiche</translation>
    </message>
    <message>
        <source>Cleared counts only transactions you have marked cleared. Balance as of today leaves out anything dated later, such as scheduled bills.</source>
        <translation>Le solde pointé ne compte que les opérations que vous avez pointées. Le solde à ce jour exclut tout ce qui est daté plus tard, comme les factures programmées.</translation>
    </message>
    <message>
        <source>Sorting</source>
        <translation>Tri</translation>
    </message>
    <message>
        <source>Control the order of transactions in the register.</source>
        <translation>Réglez l&apos;ordre des opérations dans le registre.</translation>
    </message>
    <message>
        <source>Show newest transactions first</source>
        <translation>Afficher d&apos;abord les opérations les plus récentes</translation>
    </message>
    <message>
        <source>When enabled, the most recent transactions appear at the top.</source>
        <translation>Si cette option est activée, les opérations les plus récentes apparaissent en haut.</translation>
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
        <translation>Un registre de chèques pour vos comptes&#xa0;: opérations, virements et ventilations, catégories, factures récurrentes et rapprochement, conservés dans un seul fichier sur cet ordinateur et synchronisés avec vos autres appareils lorsque vous vous connectez.</translation>
    </message>
    <message>
        <source>Links</source>
        <translation>Liens</translation>
    </message>
    <message>
        <source>Website</source>
        <translation>Site web</translation>
    </message>
    <message>
        <source>Privacy policy</source>
        <translation>Politique de confidentialité</translation>
    </message>
    <message>
        <source>© Tallowmere Labs. Tallyfern is provided as is, without warranty of any kind.</source>
        <translation>© Tallowmere Labs. Tallyfern est fourni tel quel, sans garantie d&apos;aucune sorte.</translation>
    </message>
    <message>
        <source>Language Changed</source>
        <translation>Langue modifiée</translation>
    </message>
    <message>
        <source>The new language will take effect the next time you start Tallowmere Tallyfern.</source>
        <translation>La nouvelle langue s&apos;appliquera au prochain démarrage de Tallowmere Tallyfern.</translation>
    </message>
</context>
<context>
    <name>SmartAmountField</name>
    <message>
        <source>&quot;%1&quot; is not an amount.</source>
        <translation>«&#xa0;%1&#xa0;» n&apos;est pas un montant.</translation>
    </message>
    <message>
        <source>Type the amount without a minus sign.</source>
        <translation>Saisissez le montant sans signe moins.</translation>
    </message>
    <message>
        <source>%1 is beyond the largest amount, %2.</source>
        <translation>%1 dépasse le montant maximal, %2.</translation>
    </message>
    <message>
        <source>%1: write %2 or %3.</source>
        <translation>%1&#xa0;: écrivez %2 ou %3.</translation>
    </message>
</context>
<context>
    <name>SplitEditorDialog</name>
    <message>
        <source>Split Transaction</source>
        <translation>Ventiler l&apos;opération</translation>
    </message>
    <message>
        <source>payment</source>
        <translation>paiement</translation>
    </message>
    <message>
        <source>deposit</source>
        <translation>dépôt</translation>
    </message>
    <message>
        <source>%1 — %2 %3</source>
        <translation>%1 — %2 %3</translation>
    </message>
    <message>
        <source>(no payee)</source>
        <translation>(sans bénéficiaire)</translation>
    </message>
    <message>
        <source>Enter each line&apos;s amount as part of the %1; the lines must add up to the total.</source>
        <translation>Saisissez le montant de chaque ligne comme une part du %1&#xa0;; la somme des lignes doit égaler le total.</translation>
    </message>
    <message>
        <source>Enter each line&apos;s amount as part of the %1; the %1 becomes the total of the lines. Remove every line to make it an ordinary transaction.</source>
        <translation>Saisissez le montant de chaque ligne comme une part du %1&#xa0;; le %1 devient le total des lignes. Retirez toutes les lignes pour en faire une opération ordinaire.</translation>
    </message>
    <message>
        <source>Category</source>
        <translation>Catégorie</translation>
    </message>
    <message>
        <source>Memo</source>
        <translation>Mémo</translation>
    </message>
    <message>
        <source>Amount</source>
        <translation>Montant</translation>
    </message>
    <message>
        <source>&amp;Add Line</source>
        <translation>&amp;Ajouter une ligne</translation>
    </message>
    <message>
        <source>&amp;Remove Line</source>
        <translation>&amp;Retirer la ligne</translation>
    </message>
    <message>
        <source>Split total:</source>
        <translation>Total ventilé&#xa0;:</translation>
    </message>
    <message>
        <source>Remaining:</source>
        <translation>Reste&#xa0;:</translation>
    </message>
    <message>
        <source>Saving makes it an ordinary transaction of %1.</source>
        <translation>L&apos;enregistrement en fera une opération ordinaire de %1.</translation>
    </message>
    <message>
        <source>The amount changes from %1 to %2.</source>
        <translation>Le montant passe de %1 à %2.</translation>
    </message>
    <message>
        <source>Split Does Not Add Up</source>
        <translation>Ventilation incorrecte</translation>
    </message>
    <message>
        <source>The split lines add up to %1, but the transaction amount is %2.

Adjust the lines until nothing remains (%3 remaining).</source>
        <translation>La somme des lignes ventilées est de %1, mais le montant de l&apos;opération est de %2.

Ajustez les lignes jusqu&apos;à ce qu&apos;il ne reste rien (reste&#xa0;: %3).</translation>
    </message>
</context>
<context>
    <name>StatusBar</name>
    <message>
        <source>1 recurring transaction due</source>
        <translation>1 opération récurrente à échéance</translation>
    </message>
    <message>
        <source>%1 recurring transactions due</source>
        <translation>%1 opérations récurrentes à échéance</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>SyncEngine</name>
    <message>
        <source>Push failed: %1</source>
        <translation>Échec de l&apos;envoi&#xa0;: %1</translation>
    </message>
    <message>
        <source>Push failed (HTTP %1)</source>
        <translation>Échec de l&apos;envoi (HTTP %1)</translation>
    </message>
    <message>
        <source>Push failed: the reply holds no results</source>
        <translation>Échec de l&apos;envoi&#xa0;: la réponse ne contient aucun résultat</translation>
    </message>
    <message>
        <source>Pull failed: %1</source>
        <translation>Échec de la réception&#xa0;: %1</translation>
    </message>
    <message>
        <source>Pull failed (HTTP %1)</source>
        <translation>Échec de la réception (HTTP %1)</translation>
    </message>
    <message>
        <source>Pull failed: the reply is not a JSON object</source>
        <translation>Échec de la réception&#xa0;: la réponse n&apos;est pas un objet JSON</translation>
    </message>
    <message>
        <source>Saving pulled changes failed</source>
        <translation>Échec de l&apos;enregistrement des modifications reçues</translation>
    </message>
    <message>
        <source>Pull stopped: too many pulled records wait for records they refer to</source>
        <translation>Réception interrompue&#xa0;: trop d&apos;enregistrements reçus attendent les enregistrements auxquels ils font référence</translation>
    </message>
    <message>
        <source>Pull stopped: the server sent the same position twice</source>
        <translation>Réception interrompue&#xa0;: le serveur a envoyé deux fois la même position</translation>
    </message>
</context>
<context>
    <name>ToolWindows</name>
    <message>
        <source>Import Files</source>
        <translation>Importer des fichiers</translation>
    </message>
    <message>
        <source>Recurring Transactions</source>
        <translation>Opérations récurrentes</translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation>Préférences</translation>
    </message>
    <message>
        <source>Select an account to reconcile</source>
        <translation>Sélectionnez un compte à rapprocher</translation>
    </message>
    <message>
        <source>Reconcile — %1</source>
        <translation>Rapprocher — %1</translation>
    </message>
    <message>
        <source>Select an account to see its reconciliations</source>
        <translation>Sélectionnez un compte pour voir ses rapprochements</translation>
    </message>
    <message>
        <source>Reconciliation History</source>
        <translation>Historique des rapprochements</translation>
    </message>
    <message>
        <source>Categories</source>
        <translation>Catégories</translation>
    </message>
    <message>
        <source>Search Transactions</source>
        <translation>Rechercher des opérations</translation>
    </message>
    <message>
        <source>Payee Management</source>
        <translation>Gestion des bénéficiaires</translation>
    </message>
    <message>
        <source>Tallowmere Account</source>
        <translation>Compte Tallowmere</translation>
    </message>
</context>
<context>
    <name>TransactionActions</name>
    <message>
        <source>Reconciled Transfer</source>
        <translation>Virement rapproché</translation>
    </message>
    <message>
        <source>This transfer is reconciled in %1. Saving will change a reconciled transaction there. Save anyway?</source>
        <translation>Ce virement est rapproché dans %1. L&apos;enregistrement y modifiera une opération rapprochée. Enregistrer quand même&#xa0;?</translation>
    </message>
    <message>
        <source>Split Transaction</source>
        <translation>Ventiler l&apos;opération</translation>
    </message>
    <message>
        <source>A transfer cannot be split. Change it to an ordinary transaction first.</source>
        <translation>Un virement ne peut pas être ventilé. Transformez-le d&apos;abord en opération ordinaire.</translation>
    </message>
    <message>
        <source>Delete this transfer?

Both legs go: this one and the one in &quot;%1&quot;.</source>
        <translation>Supprimer ce virement&#xa0;?

Les deux côtés sont supprimés&#xa0;: celui-ci et celui de «&#xa0;%1&#xa0;».</translation>
    </message>
    <message>
        <source>Delete this transaction?</source>
        <translation>Supprimer cette opération&#xa0;?</translation>
    </message>
    <message>
        <source>It is reconciled; deleting it changes the reconciled balance.</source>
        <translation>Elle est rapprochée&#xa0;; la supprimer modifie le solde rapproché.</translation>
    </message>
    <message>
        <source>Delete Transaction</source>
        <translation>Supprimer l&apos;opération</translation>
    </message>
    <message>
        <source>Delete Failed</source>
        <translation>Échec de la suppression</translation>
    </message>
    <message>
        <source>The transaction could not be deleted.</source>
        <translation>L&apos;opération n&apos;a pas pu être supprimée.</translation>
    </message>
    <message>
        <source>Save Failed</source>
        <translation>Échec de l&apos;enregistrement</translation>
    </message>
    <message>
        <source>The transaction could not be saved.</source>
        <translation>L&apos;opération n&apos;a pas pu être enregistrée.</translation>
    </message>
</context>
<context>
    <name>TransactionDetailsDialog</name>
    <message>
        <source>Transaction Details</source>
        <translation>Détails de l&apos;opération</translation>
    </message>
    <message>
        <source>(no payee)</source>
        <translation>(sans bénéficiaire)</translation>
    </message>
    <message>
        <source>Account:</source>
        <translation>Compte&#xa0;:</translation>
    </message>
    <message>
        <source>Date:</source>
        <translation>Date&#xa0;:</translation>
    </message>
    <message>
        <source>Check number:</source>
        <translation>N° de chèque&#xa0;:</translation>
    </message>
    <message>
        <source>Transfer:</source>
        <translation>Virement&#xa0;:</translation>
    </message>
    <message>
        <source>To %1</source>
        <translation>Vers %1</translation>
    </message>
    <message>
        <source>(deleted account)</source>
        <translation>(compte supprimé)</translation>
    </message>
    <message>
        <source>From %1</source>
        <translation>De %1</translation>
    </message>
    <message>
        <source>(No category)</source>
        <translation>(Sans catégorie)</translation>
    </message>
    <message>
        <source>Splits:</source>
        <translation>Ventilation&#xa0;:</translation>
    </message>
    <message>
        <source>Category:</source>
        <translation>Catégorie&#xa0;:</translation>
    </message>
    <message>
        <source>Memo:</source>
        <translation>Mémo&#xa0;:</translation>
    </message>
    <message>
        <source>Status:</source>
        <translation>État&#xa0;:</translation>
    </message>
    <message>
        <source>Reconciled</source>
        <translation>Rapprochée</translation>
    </message>
    <message>
        <source>Cleared</source>
        <translation>Pointée</translation>
    </message>
    <message>
        <source>Not cleared</source>
        <translation>Non pointée</translation>
    </message>
    <message>
        <source>Created:</source>
        <translation>Créée le&#xa0;:</translation>
    </message>
    <message>
        <source>Last changed:</source>
        <translation>Modifiée le&#xa0;:</translation>
    </message>
    <message>
        <source>Edit...</source>
        <translation>Modifier...</translation>
    </message>
    <message>
        <source>Duplicate...</source>
        <translation>Dupliquer...</translation>
    </message>
    <message>
        <source>Delete...</source>
        <translation>Supprimer...</translation>
    </message>
</context>
<context>
    <name>TransactionFormDialog</name>
    <message>
        <source>New Transaction</source>
        <translation>Nouvelle opération</translation>
    </message>
    <message>
        <source>Edit Transaction</source>
        <translation>Modifier l&apos;opération</translation>
    </message>
    <message>
        <source>&amp;Date:</source>
        <translation>&amp;Date&#xa0;:</translation>
    </message>
    <message>
        <source>Optional</source>
        <translation>Facultatif</translation>
    </message>
    <message>
        <source>Check &amp;number:</source>
        <translation>N° de &amp;chèque&#xa0;:</translation>
    </message>
    <message>
        <source>&amp;Payee:</source>
        <translation>&amp;Bénéficiaire&#xa0;:</translation>
    </message>
    <message>
        <source>Payment</source>
        <translation>Paiement</translation>
    </message>
    <message>
        <source>Deposit</source>
        <translation>Dépôt</translation>
    </message>
    <message>
        <source>&amp;Amount:</source>
        <translation>&amp;Montant&#xa0;:</translation>
    </message>
    <message>
        <source>&amp;Category:</source>
        <translation>Ca&amp;tégorie&#xa0;:</translation>
    </message>
    <message>
        <source>&amp;Memo:</source>
        <translation>M&amp;émo&#xa0;:</translation>
    </message>
    <message>
        <source>C&amp;leared</source>
        <translation>&amp;Pointée</translation>
    </message>
    <message>
        <source>Transfer: %1</source>
        <translation>Virement&#xa0;: %1</translation>
    </message>
    <message>
        <source>(deleted account)</source>
        <translation>(compte supprimé)</translation>
    </message>
    <message>
        <source>— Split —</source>
        <translation>— Ventilée —</translation>
    </message>
    <message>
        <source>This transaction is split. Edit its splits to change the amount or categories.</source>
        <translation>Cette opération est ventilée. Modifiez sa ventilation pour changer le montant ou les catégories.</translation>
    </message>
    <message>
        <source>This transaction is reconciled; its date and amount are locked.</source>
        <translation>Cette opération est rapprochée&#xa0;; sa date et son montant sont verrouillés.</translation>
    </message>
    <message>
        <source>Transfer out</source>
        <translation>Virement émis</translation>
    </message>
    <message>
        <source>Transfer in</source>
        <translation>Virement reçu</translation>
    </message>
    <message>
        <source>Type a payee, an amount or a category to save the transaction.</source>
        <translation>Saisissez un bénéficiaire, un montant ou une catégorie pour enregistrer l’opération.</translation>
    </message>
</context>
<context>
    <name>WelcomePage</name>
    <message>
        <source>Welcome to Tallyfern</source>
        <translation>Bienvenue dans Tallyfern</translation>
    </message>
    <message>
        <source>Keep your check register on your own computer: record payments, deposits and transfers, split them over categories, and see every account&apos;s balance at a glance.

Start by creating the account you use most, with the balance it has today.</source>
        <translation>Tenez votre registre de chèques sur votre propre ordinateur&#xa0;: enregistrez paiements, dépôts et virements, ventilez-les par catégorie et voyez d&apos;un coup d&apos;œil le solde de chaque compte.

Commencez par créer le compte que vous utilisez le plus, avec son solde actuel.</translation>
    </message>
    <message>
        <source>Create Your First Account</source>
        <translation>Créer votre premier compte</translation>
    </message>
    <message>
        <source>Sign In to Your Tallowmere Account...</source>
        <translation>Se connecter à votre compte Tallowmere...</translation>
    </message>
</context>
<context>
    <name>WriteFailure</name>
    <message>
        <source>The disk is full.</source>
        <translation>Le disque est plein.</translation>
    </message>
    <message>
        <source>The disk is read-only.</source>
        <translation>Le disque est en lecture seule.</translation>
    </message>
    <message>
        <source>You do not have permission to write there.</source>
        <translation>Vous n’avez pas l’autorisation d’écrire à cet emplacement.</translation>
    </message>
    <message>
        <source>The file could not be written.</source>
        <translation>Le fichier n’a pas pu être écrit.</translation>
    </message>
</context>
</TS>
