<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES">
<context>
    <name>AccountFormDialog</name>
    <message>
        <source>New Account</source>
        <translation>Nueva cuenta</translation>
    </message>
    <message>
        <source>Edit Account</source>
        <translation>Editar cuenta</translation>
    </message>
    <message>
        <source>Account name</source>
        <translation>Nombre de la cuenta</translation>
    </message>
    <message>
        <source>&amp;Name:</source>
        <translation>&amp;Nombre:</translation>
    </message>
    <message>
        <source>Checking</source>
        <translation>Corriente</translation>
    </message>
    <message>
        <source>Savings</source>
        <translation>Ahorros</translation>
    </message>
    <message>
        <source>Credit Card</source>
        <translation>Tarjeta de crédito</translation>
    </message>
    <message>
        <source>Cash</source>
        <translation>Efectivo</translation>
    </message>
    <message>
        <source>Investment</source>
        <translation>Inversión</translation>
    </message>
    <message>
        <source>Other</source>
        <translation>Otra</translation>
    </message>
    <message>
        <source>&amp;Type:</source>
        <translation>&amp;Tipo:</translation>
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
        <translation>&amp;Moneda:</translation>
    </message>
    <message>
        <source>Starting &amp;Balance:</source>
        <translation>&amp;Saldo inicial:</translation>
    </message>
    <message>
        <source>&amp;As of:</source>
        <translation>&amp;A fecha de:</translation>
    </message>
    <message>
        <source>Bank name (optional)</source>
        <translation>Nombre del banco (opcional)</translation>
    </message>
    <message>
        <source>&amp;Institution:</source>
        <translation>&amp;Entidad:</translation>
    </message>
    <message>
        <source>Last 4 digits (optional)</source>
        <translation>Últimos 4 dígitos (opcional)</translation>
    </message>
    <message>
        <source>The opening balance is reconciled.</source>
        <translation>El saldo inicial está conciliado.</translation>
    </message>
    <message>
        <source>The currency cannot change while the account has transactions: their amounts are in this currency.</source>
        <translation>La moneda no puede cambiar mientras la cuenta tenga transacciones: sus importes están en esta moneda.</translation>
    </message>
    <message>
        <source>Account N&amp;umber:</source>
        <translation>Número de &amp;cuenta:</translation>
    </message>
</context>
<context>
    <name>AccountSidebar</name>
    <message>
        <source>Accounts</source>
        <translation>Cuentas</translation>
    </message>
    <message>
        <source>+ New Account</source>
        <translation>+ Nueva cuenta</translation>
    </message>
    <message>
        <source>Cleared balances</source>
        <translation>Saldos compensados</translation>
    </message>
    <message>
        <source>Balances as of today</source>
        <translation>Saldos a fecha de hoy</translation>
    </message>
    <message>
        <source>Current balances</source>
        <translation>Saldos actuales</translation>
    </message>
    <message>
        <source>Some accounts or balances could not be read from the database.</source>
        <translation>No se pudieron leer algunas cuentas o saldos de la base de datos.</translation>
    </message>
    <message>
        <source>The amounts of %1 are too large to add up.</source>
        <translation>Los importes de %1 son demasiado grandes para sumarlos.</translation>
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
        <translation>Tallyfern ya se está ejecutando.</translation>
    </message>
    <message>
        <source>Failed to initialize the database.

Data directory: %1

Please check file permissions and try again.</source>
        <translation>No se pudo inicializar la base de datos.

Carpeta de datos: %1

Compruebe los permisos de los archivos e inténtelo de nuevo.</translation>
    </message>
    <message>
        <source>Database Error</source>
        <translation>Error de la base de datos</translation>
    </message>
    <message>
        <source>The database file is read-only. Make it writable and start Tallyfern again.</source>
        <translation>El archivo de la base de datos es de solo lectura. Permita la escritura en él y vuelva a iniciar Tallyfern.</translation>
    </message>
    <message>
        <source>The database was made by a newer version of Tallyfern. Install that version to open it.</source>
        <translation>La base de datos se creó con una versión más reciente de Tallyfern. Instale esa versión para abrirla.</translation>
    </message>
    <message>
        <source>The database file is damaged. Restore a backup copy of it.</source>
        <translation>El archivo de la base de datos está dañado. Restaure una copia de seguridad.</translation>
    </message>
</context>
<context>
    <name>BackupProgressDialog</name>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
</context>
<context>
    <name>BackupService</name>
    <message>
        <source>%1: entry too large</source>
        <translation>%1: entrada demasiado grande</translation>
    </message>
    <message>
        <source>%1: damaged entry</source>
        <translation>%1: entrada dañada</translation>
    </message>
    <message>
        <source>%1: invalid JSON</source>
        <translation>%1: JSON no válido</translation>
    </message>
    <message>
        <source>Too many entries in backup: %1</source>
        <translation>Demasiadas entradas en la copia de seguridad: %1</translation>
    </message>
    <message>
        <source>Failed to open ZIP archive</source>
        <translation>No se pudo abrir el archivo ZIP</translation>
    </message>
    <message>
        <source>Invalid backup: missing manifest.json</source>
        <translation>Copia de seguridad no válida: falta manifest.json</translation>
    </message>
    <message>
        <source>Unsupported backup version: %1</source>
        <translation>Versión de copia de seguridad no admitida: %1</translation>
    </message>
    <message>
        <source>The restore could not be saved: %1</source>
        <translation>No se pudo guardar la restauración: %1</translation>
    </message>
    <message>
        <source>%1: could not be written: %2</source>
        <translation>%1: no se pudo escribir: %2</translation>
    </message>
    <message>
        <source>%1: not a row of the backup, skipped</source>
        <translation>%1: no es una fila de la copia de seguridad, omitido</translation>
    </message>
    <message>
        <source>The backup&apos;s contents are too large to restore</source>
        <translation>El contenido de la copia de seguridad es demasiado grande para restaurarlo</translation>
    </message>
    <message>
        <source>Not enough free disk space to restore this backup</source>
        <translation>No hay suficiente espacio libre en disco para restaurar esta copia de seguridad</translation>
    </message>
    <message>
        <source>%1: the amounts of its account would be too large to add up, skipped</source>
        <translation>%1: los importes de su cuenta serían demasiado grandes para sumarlos, omitido</translation>
    </message>
    <message>
        <source>%1: the field &quot;%2&quot; is missing, empty or not text, skipped</source>
        <translation>%1: el campo «%2» falta, está vacío o no es texto; omitido</translation>
    </message>
    <message>
        <source>%1: the field &quot;%2&quot; is out of range, skipped</source>
        <translation>%1: el campo «%2» está fuera de rango; omitido</translation>
    </message>
</context>
<context>
    <name>BrioAccount::ShareMembersDialog</name>
    <message>
        <source>People with access</source>
        <translation>Personas con acceso</translation>
    </message>
    <message>
        <source>Add people</source>
        <translation>Añadir personas</translation>
    </message>
    <message>
        <source>Not shared with anyone yet.</source>
        <translation>Aún no se comparte con nadie.</translation>
    </message>
    <message>
        <source>You are not in a group yet. Join one in your online account to share accounts.</source>
        <translation>Aún no pertenece a ningún grupo. Únase a uno en su cuenta en línea para compartir cuentas.</translation>
    </message>
    <message>
        <source>All group members already have access</source>
        <translation>Todos los miembros del grupo ya tienen acceso</translation>
    </message>
    <message>
        <source>Share</source>
        <translation>Compartir</translation>
    </message>
    <message>
        <source>Remove access</source>
        <translation>Quitar acceso</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
    <message>
        <source>Remove access?</source>
        <translation>¿Quitar el acceso?</translation>
    </message>
    <message>
        <source>%1 will no longer have access. Continue?</source>
        <translation>%1 dejará de tener acceso. ¿Continuar?</translation>
    </message>
    <message>
        <source>Could not share with %1.</source>
        <translation>No se pudo compartir con %1.</translation>
    </message>
    <message>
        <source>Could not remove %1.</source>
        <translation>No se pudo quitar a %1.</translation>
    </message>
    <message>
        <source>Showing the first %1; %2 more not shown.</source>
        <translation>Se muestran los primeros %1; %2 más no se muestran.</translation>
    </message>
</context>
<context>
    <name>BrioUpdate::UpdateDialog</name>
    <message>
        <source>Update available</source>
        <translation>Actualización disponible</translation>
    </message>
    <message>
        <source>A new version of %1 is available.</source>
        <translation>Hay una nueva versión de %1 disponible.</translation>
    </message>
    <message>
        <source>You have version %1. The latest version is %2.</source>
        <translation>Tiene la versión %1. La versión más reciente es la %2.</translation>
    </message>
    <message>
        <source>Loading release notes…</source>
        <translation>Cargando las notas de la versión…</translation>
    </message>
    <message>
        <source>*Release notes are not available for this version.*</source>
        <translation>*No hay notas de la versión disponibles para esta versión.*</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Descargar</translation>
    </message>
    <message>
        <source>Later</source>
        <translation>Más tarde</translation>
    </message>
</context>
<context>
    <name>BrioUpdate::WhatsNewDialog</name>
    <message>
        <source>What&apos;s New in %1 %2</source>
        <translation>Novedades de %1 %2</translation>
    </message>
    <message>
        <source>What&apos;s new in %1 %2</source>
        <translation>Novedades de %1 %2</translation>
    </message>
    <message>
        <source>You are running version %1</source>
        <translation>Está usando la versión %1</translation>
    </message>
    <message>
        <source>Download %1</source>
        <translation>Descargar %1</translation>
    </message>
</context>
<context>
    <name>CategoriesScreen</name>
    <message>
        <source>Categories</source>
        <translation>Categorías</translation>
    </message>
    <message>
        <source>Search categories...</source>
        <translation>Buscar categorías...</translation>
    </message>
    <message>
        <source>+ New Category</source>
        <translation>+ Nueva categoría</translation>
    </message>
    <message>
        <source>Delete Category</source>
        <translation>Eliminar categoría</translation>
    </message>
    <message>
        <source>Delete &quot;%1&quot;? Transactions using this category will become uncategorized.</source>
        <translation>¿Eliminar «%1»? Las transacciones con esta categoría quedarán sin categoría.</translation>
    </message>
    <message>
        <source>&amp;New Category</source>
        <translation>&amp;Nueva categoría</translation>
    </message>
    <message>
        <source>Add &amp;Subcategory</source>
        <translation>Añadir &amp;subcategoría</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Editar</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>E&amp;liminar</translation>
    </message>
    <message>
        <source>Category Not Saved</source>
        <translation>Categoría no guardada</translation>
    </message>
    <message>
        <source>A category cannot be named &quot;%1&quot;: a name that starts like a transfer (&quot;Transfer:&quot;) is read as a transfer to an account.</source>
        <translation>Una categoría no puede llamarse «%1»: un nombre que empieza como una transferencia («Transferencia:») se lee como una transferencia a una cuenta.</translation>
    </message>
</context>
<context>
    <name>CategoryFormDialog</name>
    <message>
        <source>Edit Category</source>
        <translation>Editar categoría</translation>
    </message>
    <message>
        <source>New Category</source>
        <translation>Nueva categoría</translation>
    </message>
    <message>
        <source>New Subcategory</source>
        <translation>Nueva subcategoría</translation>
    </message>
    <message>
        <source>&amp;Parent:</source>
        <translation>Categoría &amp;superior:</translation>
    </message>
    <message>
        <source>Category name</source>
        <translation>Nombre de la categoría</translation>
    </message>
    <message>
        <source>&amp;Name:</source>
        <translation>&amp;Nombre:</translation>
    </message>
    <message>
        <source>Expense</source>
        <translation>Gasto</translation>
    </message>
    <message>
        <source>Income</source>
        <translation>Ingreso</translation>
    </message>
    <message>
        <source>Transfer</source>
        <translation>Transferencia</translation>
    </message>
    <message>
        <source>&amp;Type:</source>
        <translation>&amp;Tipo:</translation>
    </message>
    <message>
        <source>Tax-relevant</source>
        <translation>Relevante para impuestos</translation>
    </message>
    <message>
        <source>Mark this category for inclusion in tax-time reports.</source>
        <translation>Marque esta categoría para incluirla en los informes para la declaración de impuestos.</translation>
    </message>
    <message>
        <source>e.g. charitable_contributions, mortgage_interest</source>
        <translation>p. ej. donativos, intereses_hipoteca</translation>
    </message>
    <message>
        <source>Tax &amp;Code:</source>
        <translation>&amp;Código fiscal:</translation>
    </message>
</context>
<context>
    <name>CategoryTreeModel</name>
    <message>
        <source>Category</source>
        <translation>Categoría</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Tipo</translation>
    </message>
    <message>
        <source>Tax Code</source>
        <translation>Código fiscal</translation>
    </message>
</context>
<context>
    <name>CsvReader</name>
    <message>
        <source>a quoted field is not closed</source>
        <translation>un campo entre comillas no está cerrado</translation>
    </message>
    <message>
        <source>Column %1</source>
        <translation>Columna %1</translation>
    </message>
    <message>
        <source>no amount</source>
        <translation>falta el importe</translation>
    </message>
    <message>
        <source>a quoted field runs on to line %1</source>
        <translation>un campo entre comillas continúa hasta la línea %1</translation>
    </message>
</context>
<context>
    <name>DateField</name>
    <message>
        <source>Choose a date</source>
        <translation>Elegir una fecha</translation>
    </message>
    <message>
        <source>Type a date as %1.</source>
        <translation>Escriba la fecha como %1.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a date. Type it as %2.</source>
        <translation>«%1» no es una fecha. Escríbala como %2.</translation>
    </message>
    <message>
        <source>D</source>
        <comment>stands for a digit of the day in a date pattern such as M/D/YYYY</comment>
        <translation>D</translation>
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
        <translation>Corriente</translation>
    </message>
    <message>
        <source>Savings</source>
        <translation>Ahorros</translation>
    </message>
    <message>
        <source>Credit Card</source>
        <translation>Tarjeta de crédito</translation>
    </message>
    <message>
        <source>Cash</source>
        <translation>Efectivo</translation>
    </message>
    <message>
        <source>Investment</source>
        <translation>Inversión</translation>
    </message>
    <message>
        <source>Other</source>
        <translation>Otra</translation>
    </message>
    <message>
        <source>(No category)</source>
        <translation>(Sin categoría)</translation>
    </message>
    <message>
        <source>Transfer: %1</source>
        <translation>Transferencia: %1</translation>
    </message>
    <message>
        <source>There is no category &quot;%1&quot;.</source>
        <translation>No existe la categoría «%1».</translation>
    </message>
    <message>
        <source>No account &quot;%1&quot; can take this transfer: transfers go between accounts of one currency.</source>
        <translation>Ninguna cuenta «%1» puede recibir esta transferencia: las transferencias van entre cuentas de una misma moneda.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; stands for more than one entry (%2): pick one from the list.</source>
        <translation>«%1» corresponde a más de una entrada (%2): elija una de la lista.</translation>
    </message>
</context>
<context>
    <name>ImportNotices</name>
    <message>
        <source>Month first (M/D/Y)</source>
        <translation>Mes primero (M/D/A)</translation>
    </message>
    <message>
        <source>Day first (D/M/Y)</source>
        <translation>Día primero (D/M/A)</translation>
    </message>
    <message>
        <source>&amp;Use These Settings</source>
        <translation>&amp;Usar esta configuración</translation>
    </message>
    <message>
        <source>Import these rows &amp;without a category</source>
        <translation>Importar estas filas &amp;sin categoría</translation>
    </message>
    <message>
        <source>These rows look like %1 with a decimal comma. Use these settings?</source>
        <translation>Estas filas parecen %1 con coma decimal. ¿Usar esta configuración?</translation>
    </message>
    <message>
        <source>These rows look like %1. Use these settings?</source>
        <translation>Estas filas parecen %1. ¿Usar esta configuración?</translation>
    </message>
    <message>
        <source>These categories do not exist: %1</source>
        <translation>Estas categorías no existen: %1</translation>
    </message>
    <message numerus="yes">
        <source>Create %n new categor(y/ies)</source>
        <translation>
            <numerusform>Crear %n categoría nueva</numerusform>
            <numerusform>Crear %n categorías nuevas</numerusform>
        </translation>
    </message>
    <message>
        <source>&amp;Date order:</source>
        <translation>Orden de &amp;fechas:</translation>
    </message>
    <message>
        <source>The dates in %1 fit both month-first and day-first order and are read %2. Check the dates below and choose the date order.</source>
        <translation>Las fechas de %1 encajan tanto con el orden mes primero como con día primero y se leen %2. Revise las fechas de abajo y elija el orden de fechas.</translation>
    </message>
    <message>
        <source>day first (D/M/Y)</source>
        <translation>día primero (D/M/A)</translation>
    </message>
    <message>
        <source>month first (M/D/Y)</source>
        <translation>mes primero (M/D/A)</translation>
    </message>
    <message>
        <source>%1 is not UTF-8 text; it was read as %2.</source>
        <translation>%1 no es texto UTF-8; se leyó como %2.</translation>
    </message>
</context>
<context>
    <name>ImportPreviewModel</name>
    <message>
        <source>Split (%1 lines)</source>
        <translation>Dividida (%1 líneas)</translation>
    </message>
    <message>
        <source>%1 (no such category)</source>
        <translation>%1 (categoría inexistente)</translation>
    </message>
    <message>
        <source>Likely duplicate</source>
        <translation>Probable duplicado</translation>
    </message>
    <message>
        <source>Account in file: %1</source>
        <translation>Cuenta en el archivo: %1</translation>
    </message>
    <message>
        <source>%1, line %2</source>
        <translation>%1, línea %2</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>Importar</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Fecha</translation>
    </message>
    <message>
        <source>Payee</source>
        <translation>Beneficiario</translation>
    </message>
    <message>
        <source>Category</source>
        <translation>Categoría</translation>
    </message>
    <message>
        <source>Memo</source>
        <translation>Nota</translation>
    </message>
    <message>
        <source>Amount</source>
        <translation>Importe</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Archivo</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Observación</translation>
    </message>
    <message>
        <source>%1 (new category)</source>
        <translation>%1 (categoría nueva)</translation>
    </message>
</context>
<context>
    <name>ImportScreen</name>
    <message>
        <source>Add &amp;Files...</source>
        <translation>Añadir &amp;archivos...</translation>
    </message>
    <message>
        <source>C&amp;lear</source>
        <translation>&amp;Limpiar</translation>
    </message>
    <message>
        <source>No files chosen</source>
        <translation>No se ha elegido ningún archivo</translation>
    </message>
    <message>
        <source>New Account...</source>
        <translation>Nueva cuenta...</translation>
    </message>
    <message>
        <source>&amp;Target account:</source>
        <translation>Cuenta de &amp;destino:</translation>
    </message>
    <message>
        <source>CSV columns and formats</source>
        <translation>Columnas y formatos CSV</translation>
    </message>
    <message>
        <source>Comma</source>
        <translation>Coma</translation>
    </message>
    <message>
        <source>Semicolon</source>
        <translation>Punto y coma</translation>
    </message>
    <message>
        <source>Tab</source>
        <translation>Tabulador</translation>
    </message>
    <message>
        <source>First row holds column names</source>
        <translation>La primera fila contiene los nombres de las columnas</translation>
    </message>
    <message>
        <source>Decimal comma (1.234,56)</source>
        <translation>Coma decimal (1.234,56)</translation>
    </message>
    <message>
        <source>Delimiter:</source>
        <translation>Separador:</translation>
    </message>
    <message>
        <source>Date format:</source>
        <translation>Formato de fecha:</translation>
    </message>
    <message>
        <source>Date:</source>
        <translation>Fecha:</translation>
    </message>
    <message>
        <source>Payee:</source>
        <translation>Beneficiario:</translation>
    </message>
    <message>
        <source>Memo:</source>
        <translation>Nota:</translation>
    </message>
    <message>
        <source>Check number:</source>
        <translation>Número de cheque:</translation>
    </message>
    <message>
        <source>Amount:</source>
        <translation>Importe:</translation>
    </message>
    <message>
        <source>Payment:</source>
        <translation>Pago:</translation>
    </message>
    <message>
        <source>Deposit:</source>
        <translation>Depósito:</translation>
    </message>
    <message>
        <source>Category:</source>
        <translation>Categoría:</translation>
    </message>
    <message>
        <source>Rows that cannot be read:</source>
        <translation>Filas que no se pueden leer:</translation>
    </message>
    <message>
        <source>&amp;Import</source>
        <translation>&amp;Importar</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
    <message>
        <source>Import Files</source>
        <translation>Importar archivos</translation>
    </message>
    <message>
        <source>Bank files (*.csv *.qif *.txt);;All files (*)</source>
        <translation>Archivos bancarios (*.csv *.qif *.txt);;Todos los archivos (*)</translation>
    </message>
    <message>
        <source>Opening Balance</source>
        <translation>Saldo inicial</translation>
    </message>
    <message>
        <source>New Account</source>
        <translation>Nueva cuenta</translation>
    </message>
    <message>
        <source>The account could not be created.</source>
        <translation>No se pudo crear la cuenta.</translation>
    </message>
    <message>
        <source>(none)</source>
        <translation>(ninguna)</translation>
    </message>
    <message>
        <source>%1, line %2: %3</source>
        <translation>%1, línea %2: %3</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>Importar</translation>
    </message>
    <message numerus="yes">
        <source>Imported %n transaction(s)</source>
        <translation>
            <numerusform>%n transacción importada</numerusform>
            <numerusform>%n transacciones importadas</numerusform>
        </translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Reading the files...</source>
        <translation>Leyendo los archivos...</translation>
    </message>
    <message numerus="yes">
        <source>... and %n more</source>
        <translation>
            <numerusform>... y %n más</numerusform>
            <numerusform>... y %n más</numerusform>
        </translation>
    </message>
    <message>
        <source>Reading was cancelled.</source>
        <translation>Se canceló la lectura.</translation>
    </message>
    <message>
        <source>Importing transactions...</source>
        <translation>Importando transacciones...</translation>
    </message>
    <message>
        <source>The import was cancelled; nothing was written.</source>
        <translation>Se canceló la importación; no se escribió nada.</translation>
    </message>
    <message numerus="yes">
        <source>%1 and made %n new categor(y/ies)</source>
        <translation>
            <numerusform>%1 y se creó %n categoría nueva</numerusform>
            <numerusform>%1 y se crearon %n categorías nuevas</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ImportService</name>
    <message>
        <source>%1 is larger than 50 MB and was not read.</source>
        <translation>%1 ocupa más de 50 MB y no se ha leído.</translation>
    </message>
    <message>
        <source>%1 could not be read: %2</source>
        <translation>No se pudo leer %1: %2</translation>
    </message>
    <message>
        <source>%1 is neither a CSV nor a QIF file.</source>
        <translation>%1 no es un archivo CSV ni QIF.</translation>
    </message>
    <message>
        <source>Split: the transfer to %1 is not kept</source>
        <translation>División: no se conserva la transferencia a %1</translation>
    </message>
    <message>
        <source>No other account named %1 in this currency: imported without transfer</source>
        <translation>No hay otra cuenta llamada %1 en esta moneda: se importó sin transferencia</translation>
    </message>
    <message>
        <source>The target account does not exist.</source>
        <translation>La cuenta de destino no existe.</translation>
    </message>
    <message>
        <source>The import could not be saved; nothing was imported.</source>
        <translation>No se pudo guardar la importación; no se importó nada.</translation>
    </message>
    <message>
        <source>The new categories could not be saved; nothing was imported.</source>
        <translation>No se pudieron guardar las categorías nuevas; no se importó nada.</translation>
    </message>
    <message>
        <source>its columns differ from those of %1; import it on its own</source>
        <translation>sus columnas difieren de las de %1; impórtelo por separado</translation>
    </message>
    <message>
        <source>holds bytes that are not valid UTF-8</source>
        <translation>contiene bytes que no son UTF-8 válido</translation>
    </message>
    <message>
        <source>holds the control character 0x%1</source>
        <translation>contiene el carácter de control 0x%1</translation>
    </message>
    <message>
        <source>Line %1 of %2 could not be written: %3; nothing was imported.</source>
        <translation>No se pudo escribir la línea %1 de %2: %3; no se importó nada.</translation>
    </message>
    <message>
        <source>its date is outside the years the register takes</source>
        <translation>su fecha está fuera de los años que admite el registro</translation>
    </message>
    <message>
        <source>its amount would take a balance beyond what can be kept</source>
        <translation>su importe llevaría un saldo más allá de lo que se puede guardar</translation>
    </message>
    <message>
        <source>the database refused it</source>
        <translation>la base de datos la rechazó</translation>
    </message>
</context>
<context>
    <name>ImportValues</name>
    <message>
        <source>no amount</source>
        <translation>falta el importe</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not an amount</source>
        <translation>«%1» no es un importe</translation>
    </message>
    <message>
        <source>no date</source>
        <translation>falta la fecha</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a date in the format %2</source>
        <translation>«%1» no es una fecha en el formato %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a date</source>
        <translation>«%1» no es una fecha</translation>
    </message>
    <message>
        <source>not a valid date</source>
        <translation>fecha no válida</translation>
    </message>
    <message>
        <source>date before 1900</source>
        <translation>fecha anterior a 1900</translation>
    </message>
    <message>
        <source>&quot;%1&quot; has a group separator after the decimal separator</source>
        <translation>«%1» tiene un separador de miles después del separador decimal</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not grouped in thousands</source>
        <translation>«%1» no está agrupado en miles</translation>
    </message>
    <message>
        <source>date more than 20 years from now</source>
        <translation>fecha a más de 20 años en el futuro</translation>
    </message>
    <message>
        <source>amount too large: a register holds at most %1</source>
        <translation>importe demasiado grande: un registro admite como máximo %1</translation>
    </message>
    <message>
        <source>&quot;%1&quot; has more than one sign</source>
        <translation>«%1» tiene más de un signo</translation>
    </message>
    <message>
        <source>&quot;%1&quot; has more decimals than the currency has (%2)</source>
        <translation>«%1» tiene más decimales que la moneda (%2)</translation>
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
        <translation>Sincronización completada</translation>
    </message>
    <message>
        <source>Signed in to your Tallowmere Account</source>
        <translation>Sesión iniciada en su cuenta Tallowmere</translation>
    </message>
    <message>
        <source>Signed in to your Tallowmere Account, but the sign-in could not be saved: it will not be kept after Tallyfern closes.</source>
        <translation>Sesión iniciada en su cuenta Tallowmere, pero no se pudo guardar el inicio de sesión: no se conservará al cerrar Tallyfern.</translation>
    </message>
    <message>
        <source>Sign In</source>
        <translation>Iniciar sesión</translation>
    </message>
    <message>
        <source>No web browser could be opened. To sign in, open this address in a browser on this computer:</source>
        <translation>No se pudo abrir ningún navegador web. Para iniciar sesión, abra esta dirección en un navegador de este equipo:</translation>
    </message>
    <message>
        <source>Sign-in failed: %1</source>
        <translation>Error al iniciar sesión: %1</translation>
    </message>
    <message>
        <source>Signed out</source>
        <translation>Sesión cerrada</translation>
    </message>
    <message>
        <source>Tallowmere Account</source>
        <translation>Cuenta Tallowmere</translation>
    </message>
    <message>
        <source>Upload this computer&apos;s records to the online account %1?</source>
        <translation>¿Subir los registros de este equipo a la cuenta en línea %1?</translation>
    </message>
    <message>
        <source>Waiting for sign-in in your browser...</source>
        <translation>Esperando el inicio de sesión en su navegador...</translation>
    </message>
    <message>
        <source>%1 — Tallyfern</source>
        <translation>%1 — Tallyfern</translation>
    </message>
    <message>
        <source>Opening Balance</source>
        <translation>Saldo inicial</translation>
    </message>
    <message>
        <source>New Account</source>
        <translation>Nueva cuenta</translation>
    </message>
    <message>
        <source>The account could not be created.</source>
        <translation>No se pudo crear la cuenta.</translation>
    </message>
    <message>
        <source>Account &quot;%1&quot; created</source>
        <translation>Cuenta «%1» creada</translation>
    </message>
    <message>
        <source>Edit Account</source>
        <translation>Editar cuenta</translation>
    </message>
    <message>
        <source>The account could not be saved.</source>
        <translation>No se pudo guardar la cuenta.</translation>
    </message>
    <message>
        <source>Delete Account</source>
        <translation>Eliminar cuenta</translation>
    </message>
    <message>
        <source>Delete the account &quot;%1&quot;?

Its transactions, recurring transactions and reconciliations are deleted with it.</source>
        <translation>¿Eliminar la cuenta «%1»?

Sus transacciones, transacciones recurrentes y conciliaciones se eliminan con ella.</translation>
    </message>
    <message numerus="yes">
        <source>%n transfer(s) link it to other accounts; their other side stays there as it is.</source>
        <translation>
            <numerusform>%n transferencia la vincula con otra cuenta; su otra parte se queda allí tal como está.</numerusform>
            <numerusform>%n transferencias la vinculan con otras cuentas; su otra parte se queda allí tal como está.</numerusform>
        </translation>
    </message>
    <message>
        <source>The account could not be deleted.</source>
        <translation>No se pudo eliminar la cuenta.</translation>
    </message>
    <message>
        <source>Account &quot;%1&quot; deleted</source>
        <translation>Cuenta «%1» eliminada</translation>
    </message>
    <message>
        <source>Posted 1 recurring transaction</source>
        <translation>Se registró 1 transacción recurrente</translation>
    </message>
    <message>
        <source>Posted %1 recurring transactions</source>
        <translation>Se registraron %1 transacciones recurrentes</translation>
    </message>
    <message>
        <source>Share Account</source>
        <translation>Compartir cuenta</translation>
    </message>
    <message>
        <source>Sharing: %1</source>
        <translation>Compartir: %1</translation>
    </message>
    <message>
        <source>Share this account with members of your Tallowmere family group. They&apos;ll see the same register, balances, and reconciliation history on their devices.</source>
        <translation>Comparta esta cuenta con los miembros de su grupo familiar de Tallowmere. Verán el mismo registro, los mismos saldos y el mismo historial de conciliaciones en sus dispositivos.</translation>
    </message>
    <message>
        <source>Shared with</source>
        <translation>Compartida con</translation>
    </message>
    <message>
        <source>Not shared with anyone yet.</source>
        <translation>Aún no se comparte con nadie.</translation>
    </message>
    <message>
        <source>You are not in a family group yet. Create or join one in your Tallowmere account to share accounts.</source>
        <translation>Aún no pertenece a ningún grupo familiar. Cree uno o únase a uno en su cuenta Tallowmere para compartir cuentas.</translation>
    </message>
    <message>
        <source>Share</source>
        <translation>Compartir</translation>
    </message>
    <message>
        <source>Remove access</source>
        <translation>Quitar acceso</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
    <message>
        <source>Share Failed</source>
        <translation>Error al compartir</translation>
    </message>
    <message>
        <source>Remove Failed</source>
        <translation>Error al quitar</translation>
    </message>
    <message>
        <source>Remove Share</source>
        <translation>Dejar de compartir</translation>
    </message>
    <message>
        <source>Remove %1&apos;s access to this account?</source>
        <translation>¿Quitar a %1 el acceso a esta cuenta?</translation>
    </message>
    <message>
        <source>Sign-in cancelled</source>
        <translation>Inicio de sesión cancelado</translation>
    </message>
    <message>
        <source>You were signed out of your Tallowmere Account: the account service no longer accepts this computer&apos;s sign-in. Syncing has stopped; your records on this computer are kept.

To sync again, sign in via File › Tallowmere Account.</source>
        <translation>Se ha cerrado la sesión de su Cuenta Tallowmere: el servicio de cuentas ya no acepta el inicio de sesión de este equipo. La sincronización se ha detenido; sus registros en este equipo se conservan.

Para volver a sincronizar, inicie sesión en Archivo › Cuenta Tallowmere.</translation>
    </message>
    <message>
        <source>Sync waits for your answer</source>
        <translation>La sincronización espera su respuesta</translation>
    </message>
</context>
<context>
    <name>MainWindowMenus</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Archivo</translation>
    </message>
    <message>
        <source>Import...</source>
        <translation>Importar...</translation>
    </message>
    <message>
        <source>Tallowmere &amp;Account...</source>
        <translation>&amp;Cuenta Tallowmere...</translation>
    </message>
    <message>
        <source>Sign &amp;Out of Tallowmere Account</source>
        <translation>Ce&amp;rrar sesión de la cuenta Tallowmere</translation>
    </message>
    <message>
        <source>&amp;Preferences...</source>
        <translation>&amp;Preferencias...</translation>
    </message>
    <message>
        <source>Ctrl+,</source>
        <translation>Ctrl+,</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Salir</translation>
    </message>
    <message>
        <source>&amp;Account</source>
        <translation>&amp;Cuenta</translation>
    </message>
    <message>
        <source>&amp;New Account...</source>
        <translation>&amp;Nueva cuenta...</translation>
    </message>
    <message>
        <source>Ctrl+Shift+N</source>
        <translation>Ctrl+Shift+N</translation>
    </message>
    <message>
        <source>&amp;Edit Account...</source>
        <translation>&amp;Editar cuenta...</translation>
    </message>
    <message>
        <source>&amp;Delete Account...</source>
        <translation>E&amp;liminar cuenta...</translation>
    </message>
    <message>
        <source>&amp;Share Account...</source>
        <translation>&amp;Compartir cuenta...</translation>
    </message>
    <message>
        <source>&amp;Transaction</source>
        <translation>&amp;Transacción</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ver</translation>
    </message>
    <message>
        <source>&amp;Theme</source>
        <translation>&amp;Tema</translation>
    </message>
    <message>
        <source>&amp;System</source>
        <translation>&amp;Sistema</translation>
    </message>
    <message>
        <source>&amp;Light</source>
        <translation>&amp;Claro</translation>
    </message>
    <message>
        <source>&amp;Dark</source>
        <translation>&amp;Oscuro</translation>
    </message>
    <message>
        <source>Sidebar &amp;Balances</source>
        <translation>&amp;Saldos de la barra lateral</translation>
    </message>
    <message>
        <source>&amp;Current Balance</source>
        <translation>Saldo &amp;actual</translation>
    </message>
    <message>
        <source>C&amp;leared Balance</source>
        <translation>Saldo &amp;compensado</translation>
    </message>
    <message>
        <source>Balance as of &amp;Today</source>
        <translation>Saldo a fecha de &amp;hoy</translation>
    </message>
    <message>
        <source>T&amp;wo-Line Register</source>
        <translation>Registro en &amp;dos líneas</translation>
    </message>
    <message>
        <source>&amp;Newest First</source>
        <translation>&amp;Más recientes primero</translation>
    </message>
    <message>
        <source>T&amp;ools</source>
        <translation>&amp;Herramientas</translation>
    </message>
    <message>
        <source>Reconcile...</source>
        <translation>Conciliar...</translation>
    </message>
    <message>
        <source>Reconciliation History...</source>
        <translation>Historial de conciliaciones...</translation>
    </message>
    <message>
        <source>Recurring Transactions...</source>
        <translation>Transacciones recurrentes...</translation>
    </message>
    <message>
        <source>Categories...</source>
        <translation>Categorías...</translation>
    </message>
    <message>
        <source>Search Transactions...</source>
        <translation>Buscar transacciones...</translation>
    </message>
    <message>
        <source>Payees...</source>
        <translation>Beneficiarios...</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>Ay&amp;uda</translation>
    </message>
    <message>
        <source>Check for &amp;Updates...</source>
        <translation>Buscar &amp;actualizaciones...</translation>
    </message>
    <message>
        <source>What&apos;s &amp;New...</source>
        <translation>&amp;Novedades...</translation>
    </message>
    <message>
        <source>Send &amp;Feedback...</source>
        <translation>Enviar &amp;comentarios...</translation>
    </message>
    <message>
        <source>Send Feedback</source>
        <translation>Enviar comentarios</translation>
    </message>
    <message>
        <source>No web browser could be opened. Open this address in a browser:</source>
        <translation>No se pudo abrir ningún navegador web. Abra esta dirección en un navegador:</translation>
    </message>
    <message>
        <source>&amp;About Tallyfern</source>
        <translation>Acerca de &amp;Tallyfern</translation>
    </message>
    <message>
        <source>About Tallyfern</source>
        <translation>Acerca de Tallyfern</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Tallyfern %1&lt;/h3&gt;&lt;p&gt;A check register for your desktop: accounts, transactions, transfers and splits, kept in one file on this computer.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Tallyfern %1&lt;/h3&gt;&lt;p&gt;Un registro de cheques para su escritorio: cuentas, transacciones, transferencias y divisiones, guardadas en un solo archivo en este equipo.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Show &amp;Running Balance</source>
        <translation>Mostrar saldo &amp;acumulado</translation>
    </message>
</context>
<context>
    <name>PayeeScreen</name>
    <message>
        <source>Payee Management</source>
        <translation>Gestión de beneficiarios</translation>
    </message>
    <message>
        <source>Rename to:</source>
        <translation>Cambiar nombre a:</translation>
    </message>
    <message>
        <source>Rename Selected</source>
        <translation>Cambiar nombre de la selección</translation>
    </message>
    <message>
        <source>Merge Selected</source>
        <translation>Combinar la selección</translation>
    </message>
    <message>
        <source>Rename Failed</source>
        <translation>Error al cambiar el nombre</translation>
    </message>
    <message>
        <source>Rename Complete</source>
        <translation>Cambio de nombre completado</translation>
    </message>
    <message numerus="yes">
        <source>Renamed %n transaction(s).</source>
        <translation>
            <numerusform>Se cambió el nombre en %n transacción.</numerusform>
            <numerusform>Se cambió el nombre en %n transacciones.</numerusform>
        </translation>
    </message>
    <message>
        <source>Merge</source>
        <translation>Combinar</translation>
    </message>
    <message>
        <source>Select 2 or more payees to merge.</source>
        <translation>Seleccione 2 o más beneficiarios para combinarlos.</translation>
    </message>
    <message>
        <source>Merge Payees</source>
        <translation>Combinar beneficiarios</translation>
    </message>
    <message>
        <source>Merge %1 payees into &quot;%2&quot;?</source>
        <translation>¿Combinar %1 beneficiarios en «%2»?</translation>
    </message>
    <message>
        <source>Merge Failed</source>
        <translation>Error al combinar</translation>
    </message>
    <message>
        <source>Merge Complete</source>
        <translation>Combinación completada</translation>
    </message>
    <message numerus="yes">
        <source>Merged %n transaction(s).</source>
        <translation>
            <numerusform>Se combinó %n transacción.</numerusform>
            <numerusform>Se combinaron %n transacciones.</numerusform>
        </translation>
    </message>
    <message>
        <source>The opening balances could not be kept.</source>
        <translation>No se pudieron conservar los saldos iniciales.</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Failed to share account (HTTP %1)</source>
        <translation>No se pudo compartir la cuenta (HTTP %1)</translation>
    </message>
    <message>
        <source>Checking for updates…</source>
        <translation>Buscando actualizaciones…</translation>
    </message>
    <message>
        <source>%1 is up to date (version %2)</source>
        <translation>%1 está actualizado (versión %2)</translation>
    </message>
    <message>
        <source>Update check failed: %1</source>
        <translation>Error al buscar actualizaciones: %1</translation>
    </message>
    <message>
        <source>No release notes available for %1 %2</source>
        <translation>No hay notas de la versión disponibles para %1 %2</translation>
    </message>
    <message>
        <source>Loading release notes…</source>
        <translation>Cargando las notas de la versión…</translation>
    </message>
</context>
<context>
    <name>QifReader</name>
    <message>
        <source>a record outside of any section</source>
        <translation>un registro fuera de cualquier sección</translation>
    </message>
    <message>
        <source>the section %1 is not read</source>
        <translation>la sección %1 no se lee</translation>
    </message>
    <message>
        <source>the split amounts do not add up to the total</source>
        <translation>los importes de la división no suman el total</translation>
    </message>
    <message>
        <source>&quot;%1&quot; shows a decimal comma, other amounts of the file a decimal point</source>
        <translation>«%1» muestra una coma decimal y otros importes del archivo un punto decimal</translation>
    </message>
    <message>
        <source>&quot;%1&quot; shows a decimal point, other amounts of the file a decimal comma</source>
        <translation>«%1» muestra un punto decimal y otros importes del archivo una coma decimal</translation>
    </message>
</context>
<context>
    <name>ReconciliationHistoryScreen</name>
    <message>
        <source>Reconciliation History</source>
        <translation>Historial de conciliaciones</translation>
    </message>
    <message>
        <source>Past reconciliations for this account.</source>
        <translation>Conciliaciones anteriores de esta cuenta.</translation>
    </message>
    <message>
        <source>Statement Date</source>
        <translation>Fecha del extracto</translation>
    </message>
    <message>
        <source>Statement Balance</source>
        <translation>Saldo del extracto</translation>
    </message>
    <message>
        <source>Reconciled Balance</source>
        <translation>Saldo conciliado</translation>
    </message>
    <message>
        <source>Completed</source>
        <translation>Completada</translation>
    </message>
    <message>
        <source>No reconciliations yet. Reconcile your account from the register to see the history here.</source>
        <translation>Aún no hay conciliaciones. Concilie su cuenta desde el registro para ver aquí el historial.</translation>
    </message>
    <message>
        <source>Reconciliation History — %1</source>
        <translation>Historial de conciliaciones — %1</translation>
    </message>
</context>
<context>
    <name>ReconciliationScreen</name>
    <message>
        <source>Reconcile Account</source>
        <translation>Conciliar cuenta</translation>
    </message>
    <message>
        <source>Statement Date:</source>
        <translation>Fecha del extracto:</translation>
    </message>
    <message>
        <source>Statement Balance:</source>
        <translation>Saldo del extracto:</translation>
    </message>
    <message>
        <source>Previous Balance</source>
        <translation>Saldo anterior</translation>
    </message>
    <message>
        <source>Cleared Deposits</source>
        <translation>Depósitos compensados</translation>
    </message>
    <message>
        <source>Cleared Withdrawals</source>
        <translation>Retiradas compensadas</translation>
    </message>
    <message>
        <source>Cleared Balance</source>
        <translation>Saldo compensado</translation>
    </message>
    <message>
        <source>Statement Balance</source>
        <translation>Saldo del extracto</translation>
    </message>
    <message>
        <source>Difference</source>
        <translation>Diferencia</translation>
    </message>
    <message>
        <source>Finish Reconciliation</source>
        <translation>Finalizar conciliación</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Add Transaction</source>
        <translation>Añadir transacción</translation>
    </message>
    <message>
        <source>Add a transaction (%1)</source>
        <translation>Añadir una transacción (%1)</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Editar</translation>
    </message>
    <message>
        <source>Edit selected transaction (F2)</source>
        <translation>Editar la transacción seleccionada (F2)</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Eliminar</translation>
    </message>
    <message>
        <source>Delete selected transaction (Del)</source>
        <translation>Eliminar la transacción seleccionada (Supr)</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Fecha</translation>
    </message>
    <message>
        <source>Payee</source>
        <translation>Beneficiario</translation>
    </message>
    <message>
        <source>Amount</source>
        <translation>Importe</translation>
    </message>
    <message>
        <source>Clr</source>
        <translation>Comp.</translation>
    </message>
    <message>
        <source>Reconciliation Complete</source>
        <translation>Conciliación completada</translation>
    </message>
    <message>
        <source>Account reconciled successfully.</source>
        <translation>La cuenta se ha conciliado correctamente.</translation>
    </message>
    <message>
        <source>Transactions Changed</source>
        <translation>Transacciones modificadas</translation>
    </message>
    <message>
        <source>Some of the ticked transactions were changed or deleted since they were shown. Nothing was reconciled; the list has been read again. Check the difference and finish again.</source>
        <translation>Algunas de las transacciones marcadas se modificaron o eliminaron después de mostrarse. No se ha conciliado nada; la lista se ha vuelto a leer. Compruebe la diferencia y vuelva a finalizar.</translation>
    </message>
    <message>
        <source>Reconciliation Failed</source>
        <translation>Error en la conciliación</translation>
    </message>
    <message>
        <source>The reconciliation could not be saved. Nothing was changed.</source>
        <translation>No se pudo guardar la conciliación. No se ha cambiado nada.</translation>
    </message>
    <message>
        <source>Save Failed</source>
        <translation>Error al guardar</translation>
    </message>
    <message>
        <source>The transaction could not be saved.</source>
        <translation>No se pudo guardar la transacción.</translation>
    </message>
    <message>
        <source>Delete Transaction</source>
        <translation>Eliminar transacción</translation>
    </message>
    <message>
        <source>Delete the transaction for %1?</source>
        <translation>¿Eliminar la transacción de %1?</translation>
    </message>
    <message>
        <source>Delete Failed</source>
        <translation>Error al eliminar</translation>
    </message>
    <message>
        <source>The transaction could not be deleted.</source>
        <translation>No se pudo eliminar la transacción.</translation>
    </message>
</context>
<context>
    <name>RecurringFormDialog</name>
    <message>
        <source>Last day</source>
        <translation>Último día</translation>
    </message>
    <message>
        <source>Edit Recurring Transaction</source>
        <translation>Editar transacción recurrente</translation>
    </message>
    <message>
        <source>New Recurring Transaction</source>
        <translation>Nueva transacción recurrente</translation>
    </message>
    <message>
        <source>Memorize Transaction</source>
        <translation>Memorizar transacción</translation>
    </message>
    <message>
        <source>Account:</source>
        <translation>Cuenta:</translation>
    </message>
    <message>
        <source>Payment</source>
        <translation>Pago</translation>
    </message>
    <message>
        <source>Deposit</source>
        <translation>Depósito</translation>
    </message>
    <message>
        <source>Type:</source>
        <translation>Tipo:</translation>
    </message>
    <message>
        <source>Start typing to search payees...</source>
        <translation>Empiece a escribir para buscar beneficiarios...</translation>
    </message>
    <message>
        <source>Payee:</source>
        <translation>Beneficiario:</translation>
    </message>
    <message>
        <source>Amount:</source>
        <translation>Importe:</translation>
    </message>
    <message>
        <source>Category:</source>
        <translation>Categoría:</translation>
    </message>
    <message>
        <source>Optional</source>
        <translation>Opcional</translation>
    </message>
    <message>
        <source>Memo:</source>
        <translation>Nota:</translation>
    </message>
    <message>
        <source>Daily</source>
        <translation>Diaria</translation>
    </message>
    <message>
        <source>Weekly</source>
        <translation>Semanal</translation>
    </message>
    <message>
        <source>Bi-weekly</source>
        <translation>Quincenal (cada 2 semanas)</translation>
    </message>
    <message>
        <source>Monthly</source>
        <translation>Mensual</translation>
    </message>
    <message>
        <source>Semi-monthly</source>
        <translation>Dos veces al mes</translation>
    </message>
    <message>
        <source>Quarterly</source>
        <translation>Trimestral</translation>
    </message>
    <message>
        <source>Semi-annual</source>
        <translation>Semestral</translation>
    </message>
    <message>
        <source>Annual</source>
        <translation>Anual</translation>
    </message>
    <message>
        <source>Frequency:</source>
        <translation>Frecuencia:</translation>
    </message>
    <message>
        <source>Repeat every:</source>
        <translation>Repetir cada:</translation>
    </message>
    <message>
        <source>First day:</source>
        <translation>Primer día:</translation>
    </message>
    <message>
        <source>Second day:</source>
        <translation>Segundo día:</translation>
    </message>
    <message>
        <source>Start Date:</source>
        <translation>Fecha de inicio:</translation>
    </message>
    <message>
        <source>Has end date</source>
        <translation>Tiene fecha de fin</translation>
    </message>
    <message>
        <source>End Date:</source>
        <translation>Fecha de fin:</translation>
    </message>
    <message>
        <source>Auto-post when due</source>
        <translation>Registrar automáticamente al vencer</translation>
    </message>
    <message>
        <source> days</source>
        <translation> días</translation>
    </message>
    <message>
        <source>Enter in advance:</source>
        <translation>Registrar con antelación:</translation>
    </message>
    <message>
        <source>Active</source>
        <translation>Activa</translation>
    </message>
    <message>
        <source>(none)</source>
        <translation>(ninguna)</translation>
    </message>
    <message>
        <source>day</source>
        <translation>día</translation>
    </message>
    <message>
        <source>days</source>
        <translation>días</translation>
    </message>
    <message>
        <source>week</source>
        <translation>semana</translation>
    </message>
    <message>
        <source>weeks</source>
        <translation>semanas</translation>
    </message>
    <message>
        <source>month</source>
        <translation>mes</translation>
    </message>
    <message>
        <source>months</source>
        <translation>meses</translation>
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
        <translation>año</translation>
    </message>
    <message>
        <source>years</source>
        <translation>años</translation>
    </message>
    <message>
        <source>Create an account first: a recurring transaction is posted to an account.</source>
        <translation>Cree primero una cuenta: una transacción recurrente se registra en una cuenta.</translation>
    </message>
</context>
<context>
    <name>RecurringModel</name>
    <message>
        <source>Yes</source>
        <translation>Sí</translation>
    </message>
    <message>
        <source>No</source>
        <translation>No</translation>
    </message>
    <message>
        <source>Active</source>
        <translation>Activa</translation>
    </message>
    <message>
        <source>Inactive</source>
        <translation>Inactiva</translation>
    </message>
    <message>
        <source>Account</source>
        <translation>Cuenta</translation>
    </message>
    <message>
        <source>Payee</source>
        <translation>Beneficiario</translation>
    </message>
    <message>
        <source>Amount</source>
        <translation>Importe</translation>
    </message>
    <message>
        <source>Frequency</source>
        <translation>Frecuencia</translation>
    </message>
    <message>
        <source>Next Due</source>
        <translation>Próximo vencimiento</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>Auto</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Estado</translation>
    </message>
    <message>
        <source>Semi-monthly (%1 &amp; %2)</source>
        <translation>Dos veces al mes (%1 y %2)</translation>
    </message>
    <message>
        <source>Every %1 days</source>
        <translation>Cada %1 días</translation>
    </message>
    <message>
        <source>Every %1 weeks</source>
        <translation>Cada %1 semanas</translation>
    </message>
    <message>
        <source>Every %1 months</source>
        <translation>Cada %1 meses</translation>
    </message>
    <message>
        <source>Every %1 years</source>
        <translation>Cada %1 años</translation>
    </message>
    <message>
        <source>%1 (×%2)</source>
        <translation>%1 (×%2)</translation>
    </message>
    <message>
        <source>last day</source>
        <translation>último día</translation>
    </message>
</context>
<context>
    <name>RecurringScreen</name>
    <message>
        <source>Recurring Transactions</source>
        <translation>Transacciones recurrentes</translation>
    </message>
    <message>
        <source>Confirm All Due</source>
        <translation>Confirmar todas las vencidas</translation>
    </message>
    <message>
        <source>Enter Next 7 Days</source>
        <translation>Registrar los próximos 7 días</translation>
    </message>
    <message>
        <source>New Recurring</source>
        <translation>Nueva recurrente</translation>
    </message>
    <message>
        <source>(%1 due)</source>
        <translation>(%1 vencidas)</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Editar</translation>
    </message>
    <message>
        <source>&amp;Confirm</source>
        <translation>&amp;Confirmar</translation>
    </message>
    <message>
        <source>&amp;Skip</source>
        <translation>&amp;Omitir</translation>
    </message>
    <message>
        <source>Enter &amp;Early...</source>
        <translation>Registrar por &amp;adelantado...</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>E&amp;liminar</translation>
    </message>
    <message>
        <source>Enter all recurring transactions due in the next 7 days? They are dated their due dates and you can edit or delete them later.</source>
        <translation>¿Registrar todas las transacciones recurrentes que vencen en los próximos 7 días? Llevarán como fecha la de su vencimiento y podrá editarlas o eliminarlas más tarde.</translation>
    </message>
    <message>
        <source>Enter Early</source>
        <translation>Registrar por adelantado</translation>
    </message>
    <message>
        <source>Enter &quot;%1&quot; now, dated %2? The transaction is dated its due date and you can edit or delete it later.</source>
        <translation>¿Registrar «%1» ahora, con fecha %2? La transacción lleva como fecha la de su vencimiento y podrá editarla o eliminarla más tarde.</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Eliminar</translation>
    </message>
    <message>
        <source>Delete recurring &quot;%1&quot;?</source>
        <translation>¿Eliminar la transacción recurrente «%1»?</translation>
    </message>
</context>
<context>
    <name>RegisterCells</name>
    <message>
        <source>Reconciled</source>
        <translation>Conciliada</translation>
    </message>
    <message>
        <source>Cleared</source>
        <translation>Compensada</translation>
    </message>
    <message>
        <source>Not cleared</source>
        <translation>No compensada</translation>
    </message>
</context>
<context>
    <name>RegisterCommands</name>
    <message>
        <source>&amp;New Transaction...</source>
        <translation>&amp;Nueva transacción...</translation>
    </message>
    <message>
        <source>Ctrl+N</source>
        <translation>Ctrl+N</translation>
    </message>
    <message>
        <source>&amp;Edit Transaction...</source>
        <translation>&amp;Editar transacción...</translation>
    </message>
    <message>
        <source>Ctrl+E</source>
        <translation>Ctrl+E</translation>
    </message>
    <message>
        <source>De&amp;tails...</source>
        <translation>De&amp;talles...</translation>
    </message>
    <message>
        <source>Ctrl+I</source>
        <translation>Ctrl+I</translation>
    </message>
    <message>
        <source>&amp;Splits...</source>
        <translation>&amp;Dividir...</translation>
    </message>
    <message>
        <source>Ctrl+Shift+S</source>
        <translation>Ctrl+Shift+S</translation>
    </message>
    <message>
        <source>D&amp;uplicate...</source>
        <translation>D&amp;uplicar...</translation>
    </message>
    <message>
        <source>Ctrl+D</source>
        <translation>Ctrl+D</translation>
    </message>
    <message>
        <source>&amp;Memorize Transaction...</source>
        <translation>&amp;Memorizar transacción...</translation>
    </message>
    <message>
        <source>Ctrl+M</source>
        <translation>Ctrl+M</translation>
    </message>
    <message>
        <source>Toggle &amp;Cleared</source>
        <translation>Marcar o desmarcar &amp;compensada</translation>
    </message>
    <message>
        <source>Ctrl+K</source>
        <translation>Ctrl+K</translation>
    </message>
    <message>
        <source>&amp;Delete Transaction...</source>
        <translation>E&amp;liminar transacción...</translation>
    </message>
    <message>
        <source>Ctrl+Del</source>
        <translation>Ctrl+Del</translation>
    </message>
    <message>
        <source>&amp;Filter...</source>
        <translation>&amp;Filtrar...</translation>
    </message>
    <message>
        <source>Ctrl+F</source>
        <translation>Ctrl+F</translation>
    </message>
    <message>
        <source>C&amp;lear Filter</source>
        <translation>&amp;Quitar filtro</translation>
    </message>
    <message>
        <source>Ctrl+Shift+F</source>
        <translation>Ctrl+Shift+F</translation>
    </message>
    <message>
        <source>Save Failed</source>
        <translation>Error al guardar</translation>
    </message>
    <message>
        <source>The transaction could not be saved.</source>
        <translation>No se pudo guardar la transacción.</translation>
    </message>
    <message>
        <source>Cannot memorize: source transaction has an invalid date</source>
        <translation>No se puede memorizar: la transacción de origen tiene una fecha no válida</translation>
    </message>
    <message>
        <source>Transaction memorized as recurring</source>
        <translation>Transacción memorizada como recurrente</translation>
    </message>
    <message>
        <source>The transaction could not be memorized</source>
        <translation>No se pudo memorizar la transacción</translation>
    </message>
    <message>
        <source>Transaction deleted</source>
        <translation>Transacción eliminada</translation>
    </message>
</context>
<context>
    <name>RegisterDelegate</name>
    <message>
        <source>There is no category &quot;%1&quot;. Press Tab to create it.</source>
        <translation>No existe la categoría «%1». Pulse Tab para crearla.</translation>
    </message>
    <message>
        <source>New Category</source>
        <translation>Nueva categoría</translation>
    </message>
    <message>
        <source>Create category &quot;%1&quot;?</source>
        <translation>¿Crear la categoría «%1»?</translation>
    </message>
    <message>
        <source>The category &quot;%1&quot; could not be created.</source>
        <translation>No se pudo crear la categoría «%1».</translation>
    </message>
    <message>
        <source>New transaction…</source>
        <translation>Nueva transacción…</translation>
    </message>
    <message>
        <source>Category</source>
        <translation>Categoría</translation>
    </message>
</context>
<context>
    <name>RegisterEntryRow</name>
    <message>
        <source>Save Failed</source>
        <translation>Error al guardar</translation>
    </message>
    <message>
        <source>The transaction could not be saved. Check the transfer account and try again.</source>
        <translation>No se pudo guardar la transacción. Compruebe la cuenta de la transferencia e inténtelo de nuevo.</translation>
    </message>
    <message>
        <source>Transaction added</source>
        <translation>Transacción añadida</translation>
    </message>
</context>
<context>
    <name>RegisterFilter</name>
    <message>
        <source>containing &quot;%1&quot;</source>
        <translation>que contienen «%1»</translation>
    </message>
    <message>
        <source>from %1 to %2</source>
        <translation>del %1 al %2</translation>
    </message>
    <message>
        <source>from %1</source>
        <translation>desde el %1</translation>
    </message>
    <message>
        <source>through %1</source>
        <translation>hasta el %1</translation>
    </message>
    <message>
        <source>cleared</source>
        <translation>compensadas</translation>
    </message>
    <message>
        <source>not cleared</source>
        <translation>no compensadas</translation>
    </message>
</context>
<context>
    <name>RegisterFilterDialog</name>
    <message>
        <source>Filter Register</source>
        <translation>Filtrar registro</translation>
    </message>
    <message>
        <source>Payee, memo, check number or category</source>
        <translation>Beneficiario, nota, número de cheque o categoría</translation>
    </message>
    <message>
        <source>&amp;Text:</source>
        <translation>&amp;Texto:</translation>
    </message>
    <message>
        <source>&amp;From:</source>
        <translation>&amp;Desde:</translation>
    </message>
    <message>
        <source>T&amp;o:</source>
        <translation>&amp;Hasta:</translation>
    </message>
    <message>
        <source>All transactions</source>
        <translation>Todas las transacciones</translation>
    </message>
    <message>
        <source>Cleared only</source>
        <translation>Solo compensadas</translation>
    </message>
    <message>
        <source>Not cleared only</source>
        <translation>Solo no compensadas</translation>
    </message>
    <message>
        <source>&amp;Status:</source>
        <translation>&amp;Estado:</translation>
    </message>
</context>
<context>
    <name>RegisterHeading</name>
    <message>
        <source>Cleared balance</source>
        <translation>Saldo compensado</translation>
    </message>
    <message>
        <source>Current balance</source>
        <translation>Saldo actual</translation>
    </message>
    <message>
        <source>No account selected</source>
        <translation>No hay ninguna cuenta seleccionada</translation>
    </message>
</context>
<context>
    <name>RegisterModel</name>
    <message>
        <source>(deleted account)</source>
        <translation>(cuenta eliminada)</translation>
    </message>
    <message>
        <source>Transfer from %1</source>
        <translation>Transferencia desde %1</translation>
    </message>
    <message>
        <source>Transfer to %1</source>
        <translation>Transferencia a %1</translation>
    </message>
    <message>
        <source>— Split —</source>
        <translation>— Dividida —</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Fecha</translation>
    </message>
    <message>
        <source>Chk #</source>
        <translation>N.º cheque</translation>
    </message>
    <message>
        <source>Payee / Memo</source>
        <translation>Beneficiario / Nota</translation>
    </message>
    <message>
        <source>Payee</source>
        <translation>Beneficiario</translation>
    </message>
    <message>
        <source>Category</source>
        <translation>Categoría</translation>
    </message>
    <message>
        <source>Memo</source>
        <translation>Nota</translation>
    </message>
    <message>
        <source>Payment</source>
        <translation>Pago</translation>
    </message>
    <message>
        <source>Deposit</source>
        <translation>Depósito</translation>
    </message>
    <message>
        <source>Clr</source>
        <translation>Comp.</translation>
    </message>
    <message>
        <source>Balance</source>
        <translation>Saldo</translation>
    </message>
    <message>
        <source>R</source>
        <comment>mark of a reconciled transaction in the cleared column</comment>
        <translation>C</translation>
    </message>
</context>
<context>
    <name>RegisterScreen</name>
    <message>
        <source>Clear Filter</source>
        <translation>Quitar filtro</translation>
    </message>
    <message>
        <source>The transactions of this account could not be read from the database.</source>
        <translation>No se pudieron leer las transacciones de esta cuenta de la base de datos.</translation>
    </message>
    <message>
        <source>Showing transactions %1.</source>
        <translation>Se muestran las transacciones %1.</translation>
    </message>
    <message>
        <source>A reconciled transaction stays cleared.</source>
        <translation>Una transacción conciliada sigue compensada.</translation>
    </message>
    <message>
        <source>The transaction could not be saved.</source>
        <translation>No se pudo guardar la transacción.</translation>
    </message>
    <message>
        <source>The amounts of %1 are too large to add up.</source>
        <translation>Los importes de %1 son demasiado grandes para sumarlos.</translation>
    </message>
</context>
<context>
    <name>SearchScreen</name>
    <message>
        <source>Search payee, memo, check number...</source>
        <translation>Buscar beneficiario, nota, número de cheque...</translation>
    </message>
    <message>
        <source>Account:</source>
        <translation>Cuenta:</translation>
    </message>
    <message>
        <source>All Accounts</source>
        <translation>Todas las cuentas</translation>
    </message>
    <message>
        <source>Category:</source>
        <translation>Categoría:</translation>
    </message>
    <message>
        <source>All Categories</source>
        <translation>Todas las categorías</translation>
    </message>
    <message>
        <source>Date range:</source>
        <translation>Intervalo de fechas:</translation>
    </message>
    <message>
        <source>to</source>
        <translation>a</translation>
    </message>
    <message>
        <source>Cleared only</source>
        <translation>Solo compensadas</translation>
    </message>
    <message>
        <source>Edit &amp;Splits...</source>
        <translation>Editar la &amp;división...</translation>
    </message>
    <message>
        <source>&amp;Split Transaction...</source>
        <translation>D&amp;ividir transacción...</translation>
    </message>
    <message>
        <source>&amp;Edit in Dialog...</source>
        <translation>&amp;Editar en un cuadro de diálogo...</translation>
    </message>
    <message>
        <source>Mark &amp;Uncleared</source>
        <translation>Marcar como &amp;no compensada</translation>
    </message>
    <message>
        <source>Mark &amp;Cleared</source>
        <translation>Marcar como &amp;compensada</translation>
    </message>
    <message>
        <source>&amp;Delete...</source>
        <translation>E&amp;liminar...</translation>
    </message>
    <message>
        <source>Show De&amp;tails...</source>
        <translation>Mostrar de&amp;talles...</translation>
    </message>
    <message>
        <source>Du&amp;plicate...</source>
        <translation>D&amp;uplicar...</translation>
    </message>
</context>
<context>
    <name>SettingsDataSyncPage</name>
    <message>
        <source>Data &amp; Sync</source>
        <translation>Datos y sincronización</translation>
    </message>
    <message>
        <source>Sync</source>
        <translation>Sincronización</translation>
    </message>
    <message>
        <source>Keep your tallyfern in sync across all your devices.</source>
        <translation>Mantenga Tallyfern sincronizado en todos sus dispositivos.</translation>
    </message>
    <message>
        <source>Sync Now</source>
        <translation>Sincronizar ahora</translation>
    </message>
    <message>
        <source>Force Full Sync</source>
        <translation>Forzar sincronización completa</translation>
    </message>
    <message>
        <source>Backup &amp; Restore</source>
        <translation>Copia de seguridad y restauración</translation>
    </message>
    <message>
        <source>Save or restore your data to a portable backup file.</source>
        <translation>Guarde sus datos en un archivo de copia de seguridad portátil o restáurelos desde él.</translation>
    </message>
    <message>
        <source>Export Backup</source>
        <translation>Exportar copia de seguridad</translation>
    </message>
    <message>
        <source>Import Backup</source>
        <translation>Importar copia de seguridad</translation>
    </message>
    <message>
        <source>Deleted Accounts</source>
        <translation>Cuentas eliminadas</translation>
    </message>
    <message>
        <source>Accounts you&apos;ve deleted can be restored here.</source>
        <translation>Aquí puede restaurar las cuentas que ha eliminado.</translation>
    </message>
    <message>
        <source>Restore Selected</source>
        <translation>Restaurar la seleccionada</translation>
    </message>
    <message>
        <source>Not signed in.
Sign in via File › Tallowmere Account to enable sync.</source>
        <translation>No ha iniciado sesión.
Inicie sesión en Archivo › Cuenta Tallowmere para activar la sincronización.</translation>
    </message>
    <message>
        <source>&lt;b&gt;Signed in as:&lt;/b&gt; %1&lt;br&gt;&lt;b&gt;Status:&lt;/b&gt; &lt;span style=&quot;color:%2&quot;&gt;%3&lt;/span&gt;</source>
        <translation>&lt;b&gt;Sesión iniciada como:&lt;/b&gt; %1&lt;br&gt;&lt;b&gt;Estado:&lt;/b&gt; &lt;span style=&quot;color:%2&quot;&gt;%3&lt;/span&gt;</translation>
    </message>
    <message>
        <source>Last synced: %1</source>
        <translation>Última sincronización: %1</translation>
    </message>
    <message>
        <source>Never synced</source>
        <translation>Nunca sincronizado</translation>
    </message>
    <message>
        <source>
Error: %1</source>
        <translation>
Error: %1</translation>
    </message>
    <message>
        <source>Syncing...</source>
        <translation>Sincronizando...</translation>
    </message>
    <message>
        <source>This will re-upload every local row to the server and re-download all server data. Use this if data appears out of sync between devices.

Continue?</source>
        <translation>Se volverán a subir al servidor todos los datos locales y se volverán a descargar todos los datos del servidor. Úselo si los datos no parecen coincidir entre dispositivos.

¿Continuar?</translation>
    </message>
    <message>
        <source>ZIP Files (*.zip)</source>
        <translation>Archivos ZIP (*.zip)</translation>
    </message>
    <message>
        <source>Exporting...</source>
        <translation>Exportando...</translation>
    </message>
    <message>
        <source>Backup Complete</source>
        <translation>Copia de seguridad completada</translation>
    </message>
    <message>
        <source>Backup saved to:
%1</source>
        <translation>Copia de seguridad guardada en:
%1</translation>
    </message>
    <message>
        <source>Backup Failed</source>
        <translation>Error en la copia de seguridad</translation>
    </message>
    <message>
        <source>Could not write to:
%1</source>
        <translation>No se pudo escribir en:
%1</translation>
    </message>
    <message>
        <source>Replace all with backup data</source>
        <translation>Reemplazar todo con los datos de la copia</translation>
    </message>
    <message>
        <source>Keep newer (compare timestamps)</source>
        <translation>Conservar lo más reciente (comparar fechas de modificación)</translation>
    </message>
    <message>
        <source>Skip existing items</source>
        <translation>Omitir los elementos existentes</translation>
    </message>
    <message>
        <source>Import Mode</source>
        <translation>Modo de importación</translation>
    </message>
    <message>
        <source>How should existing data be handled?</source>
        <translation>¿Qué hacer con los datos existentes?</translation>
    </message>
    <message>
        <source>Import Failed</source>
        <translation>Error en la importación</translation>
    </message>
    <message>
        <source>Could not read file.</source>
        <translation>No se pudo leer el archivo.</translation>
    </message>
    <message>
        <source>Importing...</source>
        <translation>Importando...</translation>
    </message>
    <message>
        <source>Imported %1 items, skipped %2.</source>
        <translation>Se importaron %1 elementos y se omitieron %2.</translation>
    </message>
    <message>
        <source>Import Complete</source>
        <translation>Importación completada</translation>
    </message>
    <message>
        <source>Exporting backup...</source>
        <translation>Exportando copia de seguridad...</translation>
    </message>
    <message>
        <source>Restoring backup...</source>
        <translation>Restaurando copia de seguridad...</translation>
    </message>
    <message>
        <source>Not restored:</source>
        <translation>No restaurado:</translation>
    </message>
    <message numerus="yes">
        <source>... and %n more</source>
        <translation>
            <numerusform>... y %n más</numerusform>
            <numerusform>... y %n más</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>SettingsScreen</name>
    <message>
        <source>General</source>
        <translation>General</translation>
    </message>
    <message>
        <source>Register</source>
        <translation>Registro</translation>
    </message>
    <message>
        <source>Data &amp; Sync</source>
        <translation>Datos y sincronización</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Acerca de</translation>
    </message>
    <message>
        <source>Appearance</source>
        <translation>Apariencia</translation>
    </message>
    <message>
        <source>Control how Tallowmere Tallyfern looks.</source>
        <translation>Controle el aspecto de Tallowmere Tallyfern.</translation>
    </message>
    <message>
        <source>System Default</source>
        <translation>Predeterminado del sistema</translation>
    </message>
    <message>
        <source>Light</source>
        <translation>Claro</translation>
    </message>
    <message>
        <source>Dark</source>
        <translation>Oscuro</translation>
    </message>
    <message>
        <source>Theme</source>
        <translation>Tema</translation>
    </message>
    <message>
        <source>Choose accent color</source>
        <translation>Elegir el color de énfasis</translation>
    </message>
    <message>
        <source>Accent color</source>
        <translation>Color de énfasis</translation>
    </message>
    <message>
        <source>Small</source>
        <translation>Pequeño</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Predeterminado</translation>
    </message>
    <message>
        <source>Medium</source>
        <translation>Mediano</translation>
    </message>
    <message>
        <source>Large</source>
        <translation>Grande</translation>
    </message>
    <message>
        <source>Extra Large</source>
        <translation>Muy grande</translation>
    </message>
    <message>
        <source>Font size</source>
        <translation>Tamaño de letra</translation>
    </message>
    <message>
        <source>Regional</source>
        <translation>Configuración regional</translation>
    </message>
    <message>
        <source>Date and calendar preferences.</source>
        <translation>Preferencias de fecha y calendario.</translation>
    </message>
    <message>
        <source>Sunday</source>
        <translation>Domingo</translation>
    </message>
    <message>
        <source>Monday</source>
        <translation>Lunes</translation>
    </message>
    <message>
        <source>Saturday</source>
        <translation>Sábado</translation>
    </message>
    <message>
        <source>Week starts on</source>
        <translation>La semana empieza el</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Idioma</translation>
    </message>
    <message>
        <source>Display</source>
        <translation>Visualización</translation>
    </message>
    <message>
        <source>How transactions appear in the register.</source>
        <translation>Cómo se muestran las transacciones en el registro.</translation>
    </message>
    <message>
        <source>Two-line rows</source>
        <translation>Filas de dos líneas</translation>
    </message>
    <message>
        <source>Show memo on a second line below the payee.</source>
        <translation>Mostrar la nota en una segunda línea bajo el beneficiario.</translation>
    </message>
    <message>
        <source>Auto-decimal point</source>
        <translation>Coma decimal automática</translation>
    </message>
    <message>
        <source>Type 1234 to enter 12.34. The last two digits are always cents.</source>
        <translation>Escriba 1234 para introducir 12.34. Las dos últimas cifras son siempre los céntimos.</translation>
    </message>
    <message>
        <source>Current balance</source>
        <translation>Saldo actual</translation>
    </message>
    <message>
        <source>Cleared balance</source>
        <translation>Saldo compensado</translation>
    </message>
    <message>
        <source>Balance as of today</source>
        <translation>Saldo a fecha de hoy</translation>
    </message>
    <message>
        <source>Account list shows</source>
        <translation>La lista de cuentas muestra</translation>
    </message>
    <message>
        <source>Cleared counts only transactions you have marked cleared. Balance as of today leaves out anything dated later, such as scheduled bills.</source>
        <translation>El saldo compensado solo cuenta las transacciones que ha marcado como compensadas. El saldo a fecha de hoy deja fuera todo lo que tenga una fecha posterior, como las facturas programadas.</translation>
    </message>
    <message>
        <source>Sorting</source>
        <translation>Orden</translation>
    </message>
    <message>
        <source>Control the order of transactions in the register.</source>
        <translation>Controle el orden de las transacciones en el registro.</translation>
    </message>
    <message>
        <source>Show newest transactions first</source>
        <translation>Mostrar primero las transacciones más recientes</translation>
    </message>
    <message>
        <source>When enabled, the most recent transactions appear at the top.</source>
        <translation>Si está activado, las transacciones más recientes aparecen arriba.</translation>
    </message>
    <message>
        <source>Tallowmere Tallyfern</source>
        <translation>Tallowmere Tallyfern</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>Versión %1</translation>
    </message>
    <message>
        <source>A check register for your accounts: transactions, transfers and splits, categories, recurring bills and reconciliation, kept in one file on this computer and synced to your other devices when you sign in.</source>
        <translation>Un registro de cheques para sus cuentas: transacciones, transferencias y divisiones, categorías, facturas recurrentes y conciliación, guardado en un solo archivo en este equipo y sincronizado con sus otros dispositivos cuando inicia sesión.</translation>
    </message>
    <message>
        <source>Links</source>
        <translation>Enlaces</translation>
    </message>
    <message>
        <source>Website</source>
        <translation>Sitio web</translation>
    </message>
    <message>
        <source>Privacy policy</source>
        <translation>Política de privacidad</translation>
    </message>
    <message>
        <source>© Tallowmere Labs. Tallyfern is provided as is, without warranty of any kind.</source>
        <translation>© Tallowmere Labs. Tallyfern se proporciona tal cual, sin garantía de ningún tipo.</translation>
    </message>
    <message>
        <source>Language Changed</source>
        <translation>Idioma cambiado</translation>
    </message>
    <message>
        <source>The new language will take effect the next time you start Tallowmere Tallyfern.</source>
        <translation>El nuevo idioma se aplicará la próxima vez que inicie Tallowmere Tallyfern.</translation>
    </message>
</context>
<context>
    <name>SmartAmountField</name>
    <message>
        <source>&quot;%1&quot; is not an amount.</source>
        <translation>«%1» no es un importe.</translation>
    </message>
    <message>
        <source>Type the amount without a minus sign.</source>
        <translation>Escriba el importe sin signo menos.</translation>
    </message>
    <message>
        <source>%1 is beyond the largest amount, %2.</source>
        <translation>%1 supera el importe máximo, %2.</translation>
    </message>
    <message>
        <source>%1: write %2 or %3.</source>
        <translation>%1: escriba %2 o %3.</translation>
    </message>
</context>
<context>
    <name>SplitEditorDialog</name>
    <message>
        <source>Split Transaction</source>
        <translation>Dividir transacción</translation>
    </message>
    <message>
        <source>payment</source>
        <translation>pago</translation>
    </message>
    <message>
        <source>deposit</source>
        <translation>depósito</translation>
    </message>
    <message>
        <source>%1 — %2 %3</source>
        <translation>%1 — %2 %3</translation>
    </message>
    <message>
        <source>(no payee)</source>
        <translation>(sin beneficiario)</translation>
    </message>
    <message>
        <source>Enter each line&apos;s amount as part of the %1; the lines must add up to the total.</source>
        <translation>Introduzca el importe de cada línea como parte del %1; las líneas deben sumar el total.</translation>
    </message>
    <message>
        <source>Enter each line&apos;s amount as part of the %1; the %1 becomes the total of the lines. Remove every line to make it an ordinary transaction.</source>
        <translation>Introduzca el importe de cada línea como parte del %1; el %1 pasa a ser el total de las líneas. Quite todas las líneas para convertirla en una transacción normal.</translation>
    </message>
    <message>
        <source>Category</source>
        <translation>Categoría</translation>
    </message>
    <message>
        <source>Memo</source>
        <translation>Nota</translation>
    </message>
    <message>
        <source>Amount</source>
        <translation>Importe</translation>
    </message>
    <message>
        <source>&amp;Add Line</source>
        <translation>&amp;Añadir línea</translation>
    </message>
    <message>
        <source>&amp;Remove Line</source>
        <translation>&amp;Quitar línea</translation>
    </message>
    <message>
        <source>Split total:</source>
        <translation>Total de la división:</translation>
    </message>
    <message>
        <source>Remaining:</source>
        <translation>Pendiente:</translation>
    </message>
    <message>
        <source>Saving makes it an ordinary transaction of %1.</source>
        <translation>Al guardar pasará a ser una transacción normal de %1.</translation>
    </message>
    <message>
        <source>The amount changes from %1 to %2.</source>
        <translation>El importe cambia de %1 a %2.</translation>
    </message>
    <message>
        <source>Split Does Not Add Up</source>
        <translation>La división no cuadra</translation>
    </message>
    <message>
        <source>The split lines add up to %1, but the transaction amount is %2.

Adjust the lines until nothing remains (%3 remaining).</source>
        <translation>Las líneas de la división suman %1, pero el importe de la transacción es %2.

Ajuste las líneas hasta que no quede nada pendiente (quedan %3).</translation>
    </message>
</context>
<context>
    <name>StatusBar</name>
    <message>
        <source>1 recurring transaction due</source>
        <translation>1 transacción recurrente vencida</translation>
    </message>
    <message>
        <source>%1 recurring transactions due</source>
        <translation>%1 transacciones recurrentes vencidas</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
</context>
<context>
    <name>SyncEngine</name>
    <message>
        <source>Push failed: %1</source>
        <translation>Error al enviar: %1</translation>
    </message>
    <message>
        <source>Push failed (HTTP %1)</source>
        <translation>Error al enviar (HTTP %1)</translation>
    </message>
    <message>
        <source>Push failed: the reply holds no results</source>
        <translation>Error al enviar: la respuesta no contiene resultados</translation>
    </message>
    <message>
        <source>Pull failed: %1</source>
        <translation>Error al recibir: %1</translation>
    </message>
    <message>
        <source>Pull failed (HTTP %1)</source>
        <translation>Error al recibir (HTTP %1)</translation>
    </message>
    <message>
        <source>Pull failed: the reply is not a JSON object</source>
        <translation>Error al recibir: la respuesta no es un objeto JSON</translation>
    </message>
    <message>
        <source>Saving pulled changes failed</source>
        <translation>No se pudieron guardar los cambios recibidos</translation>
    </message>
    <message>
        <source>Pull stopped: too many pulled records wait for records they refer to</source>
        <translation>Recepción detenida: demasiados registros recibidos esperan a los registros a los que hacen referencia</translation>
    </message>
    <message>
        <source>Pull stopped: the server sent the same position twice</source>
        <translation>Recepción detenida: el servidor envió la misma posición dos veces</translation>
    </message>
</context>
<context>
    <name>ToolWindows</name>
    <message>
        <source>Import Files</source>
        <translation>Importar archivos</translation>
    </message>
    <message>
        <source>Recurring Transactions</source>
        <translation>Transacciones recurrentes</translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation>Preferencias</translation>
    </message>
    <message>
        <source>Select an account to reconcile</source>
        <translation>Seleccione una cuenta para conciliar</translation>
    </message>
    <message>
        <source>Reconcile — %1</source>
        <translation>Conciliar — %1</translation>
    </message>
    <message>
        <source>Select an account to see its reconciliations</source>
        <translation>Seleccione una cuenta para ver sus conciliaciones</translation>
    </message>
    <message>
        <source>Reconciliation History</source>
        <translation>Historial de conciliaciones</translation>
    </message>
    <message>
        <source>Categories</source>
        <translation>Categorías</translation>
    </message>
    <message>
        <source>Search Transactions</source>
        <translation>Buscar transacciones</translation>
    </message>
    <message>
        <source>Payee Management</source>
        <translation>Gestión de beneficiarios</translation>
    </message>
    <message>
        <source>Tallowmere Account</source>
        <translation>Cuenta Tallowmere</translation>
    </message>
</context>
<context>
    <name>TransactionActions</name>
    <message>
        <source>Reconciled Transfer</source>
        <translation>Transferencia conciliada</translation>
    </message>
    <message>
        <source>This transfer is reconciled in %1. Saving will change a reconciled transaction there. Save anyway?</source>
        <translation>Esta transferencia está conciliada en %1. Al guardar se cambiará allí una transacción conciliada. ¿Guardar de todos modos?</translation>
    </message>
    <message>
        <source>Split Transaction</source>
        <translation>Dividir transacción</translation>
    </message>
    <message>
        <source>A transfer cannot be split. Change it to an ordinary transaction first.</source>
        <translation>Una transferencia no se puede dividir. Conviértala antes en una transacción normal.</translation>
    </message>
    <message>
        <source>Delete this transfer?

Both legs go: this one and the one in &quot;%1&quot;.</source>
        <translation>¿Eliminar esta transferencia?

Se eliminan las dos partes: esta y la de «%1».</translation>
    </message>
    <message>
        <source>Delete this transaction?</source>
        <translation>¿Eliminar esta transacción?</translation>
    </message>
    <message>
        <source>It is reconciled; deleting it changes the reconciled balance.</source>
        <translation>Está conciliada; eliminarla cambia el saldo conciliado.</translation>
    </message>
    <message>
        <source>Delete Transaction</source>
        <translation>Eliminar transacción</translation>
    </message>
    <message>
        <source>Delete Failed</source>
        <translation>Error al eliminar</translation>
    </message>
    <message>
        <source>The transaction could not be deleted.</source>
        <translation>No se pudo eliminar la transacción.</translation>
    </message>
    <message>
        <source>Save Failed</source>
        <translation>Error al guardar</translation>
    </message>
    <message>
        <source>The transaction could not be saved.</source>
        <translation>No se pudo guardar la transacción.</translation>
    </message>
</context>
<context>
    <name>TransactionDetailsDialog</name>
    <message>
        <source>Transaction Details</source>
        <translation>Detalles de la transacción</translation>
    </message>
    <message>
        <source>(no payee)</source>
        <translation>(sin beneficiario)</translation>
    </message>
    <message>
        <source>Account:</source>
        <translation>Cuenta:</translation>
    </message>
    <message>
        <source>Date:</source>
        <translation>Fecha:</translation>
    </message>
    <message>
        <source>Check number:</source>
        <translation>Número de cheque:</translation>
    </message>
    <message>
        <source>Transfer:</source>
        <translation>Transferencia:</translation>
    </message>
    <message>
        <source>To %1</source>
        <translation>A %1</translation>
    </message>
    <message>
        <source>(deleted account)</source>
        <translation>(cuenta eliminada)</translation>
    </message>
    <message>
        <source>From %1</source>
        <translation>Desde %1</translation>
    </message>
    <message>
        <source>(No category)</source>
        <translation>(Sin categoría)</translation>
    </message>
    <message>
        <source>Splits:</source>
        <translation>División:</translation>
    </message>
    <message>
        <source>Category:</source>
        <translation>Categoría:</translation>
    </message>
    <message>
        <source>Memo:</source>
        <translation>Nota:</translation>
    </message>
    <message>
        <source>Status:</source>
        <translation>Estado:</translation>
    </message>
    <message>
        <source>Reconciled</source>
        <translation>Conciliada</translation>
    </message>
    <message>
        <source>Cleared</source>
        <translation>Compensada</translation>
    </message>
    <message>
        <source>Not cleared</source>
        <translation>No compensada</translation>
    </message>
    <message>
        <source>Created:</source>
        <translation>Creada:</translation>
    </message>
    <message>
        <source>Last changed:</source>
        <translation>Última modificación:</translation>
    </message>
    <message>
        <source>Edit...</source>
        <translation>Editar...</translation>
    </message>
    <message>
        <source>Duplicate...</source>
        <translation>Duplicar...</translation>
    </message>
    <message>
        <source>Delete...</source>
        <translation>Eliminar...</translation>
    </message>
</context>
<context>
    <name>TransactionFormDialog</name>
    <message>
        <source>New Transaction</source>
        <translation>Nueva transacción</translation>
    </message>
    <message>
        <source>Edit Transaction</source>
        <translation>Editar transacción</translation>
    </message>
    <message>
        <source>&amp;Date:</source>
        <translation>&amp;Fecha:</translation>
    </message>
    <message>
        <source>Optional</source>
        <translation>Opcional</translation>
    </message>
    <message>
        <source>Check &amp;number:</source>
        <translation>&amp;Número de cheque:</translation>
    </message>
    <message>
        <source>&amp;Payee:</source>
        <translation>&amp;Beneficiario:</translation>
    </message>
    <message>
        <source>Payment</source>
        <translation>Pago</translation>
    </message>
    <message>
        <source>Deposit</source>
        <translation>Depósito</translation>
    </message>
    <message>
        <source>&amp;Amount:</source>
        <translation>&amp;Importe:</translation>
    </message>
    <message>
        <source>&amp;Category:</source>
        <translation>&amp;Categoría:</translation>
    </message>
    <message>
        <source>&amp;Memo:</source>
        <translation>N&amp;ota:</translation>
    </message>
    <message>
        <source>C&amp;leared</source>
        <translation>Co&amp;mpensada</translation>
    </message>
    <message>
        <source>Transfer: %1</source>
        <translation>Transferencia: %1</translation>
    </message>
    <message>
        <source>(deleted account)</source>
        <translation>(cuenta eliminada)</translation>
    </message>
    <message>
        <source>— Split —</source>
        <translation>— Dividida —</translation>
    </message>
    <message>
        <source>This transaction is split. Edit its splits to change the amount or categories.</source>
        <translation>Esta transacción está dividida. Edite su división para cambiar el importe o las categorías.</translation>
    </message>
    <message>
        <source>This transaction is reconciled; its date and amount are locked.</source>
        <translation>Esta transacción está conciliada; su fecha y su importe están bloqueados.</translation>
    </message>
    <message>
        <source>Transfer out</source>
        <translation>Transferencia enviada</translation>
    </message>
    <message>
        <source>Transfer in</source>
        <translation>Transferencia recibida</translation>
    </message>
    <message>
        <source>Type a payee, an amount or a category to save the transaction.</source>
        <translation>Escriba un beneficiario, un importe o una categoría para guardar la transacción.</translation>
    </message>
</context>
<context>
    <name>WelcomePage</name>
    <message>
        <source>Welcome to Tallyfern</source>
        <translation>Bienvenido a Tallyfern</translation>
    </message>
    <message>
        <source>Keep your check register on your own computer: record payments, deposits and transfers, split them over categories, and see every account&apos;s balance at a glance.

Start by creating the account you use most, with the balance it has today.</source>
        <translation>Lleve su registro de cheques en su propio equipo: anote pagos, depósitos y transferencias, divídalos en categorías y vea el saldo de cada cuenta de un vistazo.

Empiece creando la cuenta que más usa, con el saldo que tiene hoy.</translation>
    </message>
    <message>
        <source>Create Your First Account</source>
        <translation>Crear su primera cuenta</translation>
    </message>
    <message>
        <source>Sign In to Your Tallowmere Account...</source>
        <translation>Iniciar sesión en su cuenta Tallowmere...</translation>
    </message>
</context>
<context>
    <name>WriteFailure</name>
    <message>
        <source>The disk is full.</source>
        <translation>El disco está lleno.</translation>
    </message>
    <message>
        <source>The disk is read-only.</source>
        <translation>El disco es de solo lectura.</translation>
    </message>
    <message>
        <source>You do not have permission to write there.</source>
        <translation>No tiene permiso para escribir ahí.</translation>
    </message>
    <message>
        <source>The file could not be written.</source>
        <translation>No se pudo escribir el archivo.</translation>
    </message>
</context>
</TS>
