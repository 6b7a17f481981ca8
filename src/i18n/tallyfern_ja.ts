<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>AccountFormDialog</name>
    <message>
        <source>New Account</source>
        <translation>新しい口座</translation>
    </message>
    <message>
        <source>Edit Account</source>
        <translation>口座の編集</translation>
    </message>
    <message>
        <source>Account name</source>
        <translation>口座名</translation>
    </message>
    <message>
        <source>&amp;Name:</source>
        <translation>名前(&amp;N):</translation>
    </message>
    <message>
        <source>Checking</source>
        <translation>普通預金</translation>
    </message>
    <message>
        <source>Savings</source>
        <translation>貯蓄預金</translation>
    </message>
    <message>
        <source>Credit Card</source>
        <translation>クレジットカード</translation>
    </message>
    <message>
        <source>Cash</source>
        <translation>現金</translation>
    </message>
    <message>
        <source>Investment</source>
        <translation>投資</translation>
    </message>
    <message>
        <source>Other</source>
        <translation>その他</translation>
    </message>
    <message>
        <source>&amp;Type:</source>
        <translation>種類(&amp;T):</translation>
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
        <translation>通貨(&amp;C):</translation>
    </message>
    <message>
        <source>Starting &amp;Balance:</source>
        <translation>開始残高(&amp;B):</translation>
    </message>
    <message>
        <source>&amp;As of:</source>
        <translation>基準日(&amp;A):</translation>
    </message>
    <message>
        <source>Bank name (optional)</source>
        <translation>銀行名 (任意)</translation>
    </message>
    <message>
        <source>&amp;Institution:</source>
        <translation>金融機関(&amp;I):</translation>
    </message>
    <message>
        <source>Last 4 digits (optional)</source>
        <translation>下4桁 (任意)</translation>
    </message>
    <message>
        <source>The opening balance is reconciled.</source>
        <translation>開始残高は照合済みです。</translation>
    </message>
    <message>
        <source>The currency cannot change while the account has transactions: their amounts are in this currency.</source>
        <translation>口座に取引がある間は通貨を変更できません。取引の金額がこの通貨で記録されているためです。</translation>
    </message>
    <message>
        <source>Account N&amp;umber:</source>
        <translation>口座番号(&amp;U):</translation>
    </message>
</context>
<context>
    <name>AccountSidebar</name>
    <message>
        <source>Accounts</source>
        <translation>口座</translation>
    </message>
    <message>
        <source>+ New Account</source>
        <translation>+ 新しい口座</translation>
    </message>
    <message>
        <source>Cleared balances</source>
        <translation>決済済み残高</translation>
    </message>
    <message>
        <source>Balances as of today</source>
        <translation>本日時点の残高</translation>
    </message>
    <message>
        <source>Current balances</source>
        <translation>現在の残高</translation>
    </message>
    <message>
        <source>Some accounts or balances could not be read from the database.</source>
        <translation>一部の口座または残高をデータベースから読み込めませんでした。</translation>
    </message>
    <message>
        <source>The amounts of %1 are too large to add up.</source>
        <translation>%1 の金額が大きすぎて合計できません。</translation>
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
        <translation>Tallyfern はすでに実行中です。</translation>
    </message>
    <message>
        <source>Failed to initialize the database.

Data directory: %1

Please check file permissions and try again.</source>
        <translation>データベースを初期化できませんでした。

データフォルダー: %1

ファイルのアクセス権を確認して、もう一度お試しください。</translation>
    </message>
    <message>
        <source>Database Error</source>
        <translation>データベース エラー</translation>
    </message>
    <message>
        <source>The database file is read-only. Make it writable and start Tallyfern again.</source>
        <translation>データベース ファイルが読み取り専用です。書き込み可能にしてから Tallyfern をもう一度起動してください。</translation>
    </message>
    <message>
        <source>The database was made by a newer version of Tallyfern. Install that version to open it.</source>
        <translation>このデータベースは新しいバージョンの Tallyfern で作成されています。開くにはそのバージョンをインストールしてください。</translation>
    </message>
    <message>
        <source>The database file is damaged. Restore a backup copy of it.</source>
        <translation>データベース ファイルが破損しています。バックアップ コピーから復元してください。</translation>
    </message>
</context>
<context>
    <name>BackupProgressDialog</name>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
</context>
<context>
    <name>BackupService</name>
    <message>
        <source>%1: entry too large</source>
        <translation>%1: エントリが大きすぎます</translation>
    </message>
    <message>
        <source>%1: damaged entry</source>
        <translation>%1: エントリが破損しています</translation>
    </message>
    <message>
        <source>%1: invalid JSON</source>
        <translation>%1: JSON が不正です</translation>
    </message>
    <message>
        <source>Too many entries in backup: %1</source>
        <translation>バックアップのエントリが多すぎます: %1</translation>
    </message>
    <message>
        <source>Failed to open ZIP archive</source>
        <translation>ZIP アーカイブを開けませんでした</translation>
    </message>
    <message>
        <source>Invalid backup: missing manifest.json</source>
        <translation>無効なバックアップです: manifest.json がありません</translation>
    </message>
    <message>
        <source>Unsupported backup version: %1</source>
        <translation>サポートされていないバックアップのバージョンです: %1</translation>
    </message>
    <message>
        <source>The restore could not be saved: %1</source>
        <translation>復元を保存できませんでした: %1</translation>
    </message>
    <message>
        <source>%1: could not be written: %2</source>
        <translation>%1: 書き込めませんでした: %2</translation>
    </message>
    <message>
        <source>%1: not a row of the backup, skipped</source>
        <translation>%1: バックアップの行ではないため、スキップしました</translation>
    </message>
    <message>
        <source>The backup&apos;s contents are too large to restore</source>
        <translation>バックアップの内容が大きすぎるため復元できません</translation>
    </message>
    <message>
        <source>Not enough free disk space to restore this backup</source>
        <translation>このバックアップを復元するための空きディスク容量が不足しています</translation>
    </message>
    <message>
        <source>%1: the amounts of its account would be too large to add up, skipped</source>
        <translation>%1: 口座の金額が大きすぎて合計できなくなるため、スキップしました</translation>
    </message>
    <message>
        <source>%1: the field &quot;%2&quot; is missing, empty or not text, skipped</source>
        <translation>%1: フィールド「%2」がないか、空か、テキストではありません。スキップしました</translation>
    </message>
    <message>
        <source>%1: the field &quot;%2&quot; is out of range, skipped</source>
        <translation>%1: フィールド「%2」が範囲外です。スキップしました</translation>
    </message>
</context>
<context>
    <name>BrioAccount::ShareMembersDialog</name>
    <message>
        <source>People with access</source>
        <translation>アクセスできるユーザー</translation>
    </message>
    <message>
        <source>Add people</source>
        <translation>ユーザーを追加</translation>
    </message>
    <message>
        <source>Not shared with anyone yet.</source>
        <translation>まだ誰とも共有していません。</translation>
    </message>
    <message>
        <source>You are not in a group yet. Join one in your online account to share accounts.</source>
        <translation>まだグループに参加していません。口座を共有するには、オンライン アカウントでグループに参加してください。</translation>
    </message>
    <message>
        <source>All group members already have access</source>
        <translation>グループのメンバー全員がすでにアクセスできます</translation>
    </message>
    <message>
        <source>Share</source>
        <translation>共有</translation>
    </message>
    <message>
        <source>Remove access</source>
        <translation>アクセスを削除</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>閉じる</translation>
    </message>
    <message>
        <source>Remove access?</source>
        <translation>アクセスを削除しますか?</translation>
    </message>
    <message>
        <source>%1 will no longer have access. Continue?</source>
        <translation>%1はアクセスできなくなります。続行しますか?</translation>
    </message>
    <message>
        <source>Could not share with %1.</source>
        <translation>%1と共有できませんでした。</translation>
    </message>
    <message>
        <source>Could not remove %1.</source>
        <translation>%1を削除できませんでした。</translation>
    </message>
    <message>
        <source>Showing the first %1; %2 more not shown.</source>
        <translation>最初の %1 件を表示しています。ほかに %2 件は表示されていません。</translation>
    </message>
</context>
<context>
    <name>BrioUpdate::UpdateDialog</name>
    <message>
        <source>Update available</source>
        <translation>更新プログラムがあります</translation>
    </message>
    <message>
        <source>A new version of %1 is available.</source>
        <translation>%1の新しいバージョンがあります。</translation>
    </message>
    <message>
        <source>You have version %1. The latest version is %2.</source>
        <translation>お使いのバージョンは%1です。最新バージョンは%2です。</translation>
    </message>
    <message>
        <source>Loading release notes…</source>
        <translation>リリース ノートを読み込んでいます…</translation>
    </message>
    <message>
        <source>*Release notes are not available for this version.*</source>
        <translation>*このバージョンのリリース ノートはありません。*</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>ダウンロード</translation>
    </message>
    <message>
        <source>Later</source>
        <translation>後で</translation>
    </message>
</context>
<context>
    <name>BrioUpdate::WhatsNewDialog</name>
    <message>
        <source>What&apos;s New in %1 %2</source>
        <translation>%1 %2の新機能</translation>
    </message>
    <message>
        <source>What&apos;s new in %1 %2</source>
        <translation>%1 %2の新機能</translation>
    </message>
    <message>
        <source>You are running version %1</source>
        <translation>実行中のバージョン: %1</translation>
    </message>
    <message>
        <source>Download %1</source>
        <translation>%1をダウンロード</translation>
    </message>
</context>
<context>
    <name>CategoriesScreen</name>
    <message>
        <source>Categories</source>
        <translation>カテゴリ</translation>
    </message>
    <message>
        <source>Search categories...</source>
        <translation>カテゴリを検索...</translation>
    </message>
    <message>
        <source>+ New Category</source>
        <translation>+ 新しいカテゴリ</translation>
    </message>
    <message>
        <source>Delete Category</source>
        <translation>カテゴリの削除</translation>
    </message>
    <message>
        <source>Delete &quot;%1&quot;? Transactions using this category will become uncategorized.</source>
        <translation>「%1」を削除しますか? このカテゴリを使っている取引はカテゴリなしになります。</translation>
    </message>
    <message>
        <source>&amp;New Category</source>
        <translation>新しいカテゴリ(&amp;N)</translation>
    </message>
    <message>
        <source>Add &amp;Subcategory</source>
        <translation>サブカテゴリを追加(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>編集(&amp;E)</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>削除(&amp;D)</translation>
    </message>
    <message>
        <source>Category Not Saved</source>
        <translation>カテゴリは保存されませんでした</translation>
    </message>
    <message>
        <source>A category cannot be named &quot;%1&quot;: a name that starts like a transfer (&quot;Transfer:&quot;) is read as a transfer to an account.</source>
        <translation>カテゴリに「%1」という名前は付けられません。振替のように始まる名前（「振替:」）は口座への振替として読まれます。</translation>
    </message>
</context>
<context>
    <name>CategoryFormDialog</name>
    <message>
        <source>Edit Category</source>
        <translation>カテゴリの編集</translation>
    </message>
    <message>
        <source>New Category</source>
        <translation>新しいカテゴリ</translation>
    </message>
    <message>
        <source>New Subcategory</source>
        <translation>新しいサブカテゴリ</translation>
    </message>
    <message>
        <source>&amp;Parent:</source>
        <translation>親カテゴリ(&amp;P):</translation>
    </message>
    <message>
        <source>Category name</source>
        <translation>カテゴリ名</translation>
    </message>
    <message>
        <source>&amp;Name:</source>
        <translation>名前(&amp;N):</translation>
    </message>
    <message>
        <source>Expense</source>
        <translation>支出</translation>
    </message>
    <message>
        <source>Income</source>
        <translation>収入</translation>
    </message>
    <message>
        <source>Transfer</source>
        <translation>振替</translation>
    </message>
    <message>
        <source>&amp;Type:</source>
        <translation>種類(&amp;T):</translation>
    </message>
    <message>
        <source>Tax-relevant</source>
        <translation>税務関連</translation>
    </message>
    <message>
        <source>Mark this category for inclusion in tax-time reports.</source>
        <translation>このカテゴリを確定申告用のレポートに含めます。</translation>
    </message>
    <message>
        <source>e.g. charitable_contributions, mortgage_interest</source>
        <translation>例: charitable_contributions, mortgage_interest</translation>
    </message>
    <message>
        <source>Tax &amp;Code:</source>
        <translation>税務コード(&amp;C):</translation>
    </message>
</context>
<context>
    <name>CategoryTreeModel</name>
    <message>
        <source>Category</source>
        <translation>カテゴリ</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>種類</translation>
    </message>
    <message>
        <source>Tax Code</source>
        <translation>税務コード</translation>
    </message>
</context>
<context>
    <name>CsvReader</name>
    <message>
        <source>a quoted field is not closed</source>
        <translation>引用符で囲まれたフィールドが閉じていません</translation>
    </message>
    <message>
        <source>Column %1</source>
        <translation>列%1</translation>
    </message>
    <message>
        <source>no amount</source>
        <translation>金額がありません</translation>
    </message>
    <message>
        <source>a quoted field runs on to line %1</source>
        <translation>引用符で囲まれたフィールドが%1行目まで続いています</translation>
    </message>
</context>
<context>
    <name>DateField</name>
    <message>
        <source>Choose a date</source>
        <translation>日付を選択</translation>
    </message>
    <message>
        <source>Type a date as %1.</source>
        <translation>日付を %1 の形式で入力してください。</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a date. Type it as %2.</source>
        <translation>「%1」は日付ではありません。%2 の形式で入力してください。</translation>
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
        <translation>Y</translation>
    </message>
</context>
<context>
    <name>EntryChoices</name>
    <message>
        <source>Checking</source>
        <translation>普通預金</translation>
    </message>
    <message>
        <source>Savings</source>
        <translation>貯蓄預金</translation>
    </message>
    <message>
        <source>Credit Card</source>
        <translation>クレジットカード</translation>
    </message>
    <message>
        <source>Cash</source>
        <translation>現金</translation>
    </message>
    <message>
        <source>Investment</source>
        <translation>投資</translation>
    </message>
    <message>
        <source>Other</source>
        <translation>その他</translation>
    </message>
    <message>
        <source>(No category)</source>
        <translation>(カテゴリなし)</translation>
    </message>
    <message>
        <source>Transfer: %1</source>
        <translation>振替: %1</translation>
    </message>
    <message>
        <source>There is no category &quot;%1&quot;.</source>
        <translation>カテゴリ「%1」はありません。</translation>
    </message>
    <message>
        <source>No account &quot;%1&quot; can take this transfer: transfers go between accounts of one currency.</source>
        <translation>口座「%1」はこの振替を受けられません。振替は同じ通貨の口座の間でのみ行えます。</translation>
    </message>
    <message>
        <source>&quot;%1&quot; stands for more than one entry (%2): pick one from the list.</source>
        <translation>「%1」は複数の項目に当てはまります（%2）。一覧から選んでください。</translation>
    </message>
</context>
<context>
    <name>ImportNotices</name>
    <message>
        <source>Month first (M/D/Y)</source>
        <translation>月が先 (月/日/年)</translation>
    </message>
    <message>
        <source>Day first (D/M/Y)</source>
        <translation>日が先 (日/月/年)</translation>
    </message>
    <message>
        <source>&amp;Use These Settings</source>
        <translation>この設定を使う(&amp;U)</translation>
    </message>
    <message>
        <source>Import these rows &amp;without a category</source>
        <translation>これらの行をカテゴリなしで取り込む(&amp;W)</translation>
    </message>
    <message>
        <source>These rows look like %1 with a decimal comma. Use these settings?</source>
        <translation>これらの行は %1 で小数点がコンマのようです。この設定を使いますか?</translation>
    </message>
    <message>
        <source>These rows look like %1. Use these settings?</source>
        <translation>これらの行は %1 のようです。この設定を使いますか?</translation>
    </message>
    <message>
        <source>These categories do not exist: %1</source>
        <translation>次のカテゴリはありません: %1</translation>
    </message>
    <message numerus="yes">
        <source>Create %n new categor(y/ies)</source>
        <translation>
            <numerusform>新しいカテゴリを %n 個作成する</numerusform>
        </translation>
    </message>
    <message>
        <source>&amp;Date order:</source>
        <translation>日付の順序(&amp;D):</translation>
    </message>
    <message>
        <source>The dates in %1 fit both month-first and day-first order and are read %2. Check the dates below and choose the date order.</source>
        <translation>%1 の日付は月が先・日が先のどちらの順序にも当てはまり、%2 として読み込まれています。下の日付を確認し、日付の順序を選んでください。</translation>
    </message>
    <message>
        <source>day first (D/M/Y)</source>
        <translation>日が先 (日/月/年)</translation>
    </message>
    <message>
        <source>month first (M/D/Y)</source>
        <translation>月が先 (月/日/年)</translation>
    </message>
    <message>
        <source>%1 is not UTF-8 text; it was read as %2.</source>
        <translation>%1 は UTF-8 のテキストではありません。%2 として読み込みました。</translation>
    </message>
</context>
<context>
    <name>ImportPreviewModel</name>
    <message>
        <source>Split (%1 lines)</source>
        <translation>分割取引 (%1行)</translation>
    </message>
    <message>
        <source>%1 (no such category)</source>
        <translation>%1 (該当するカテゴリなし)</translation>
    </message>
    <message>
        <source>Likely duplicate</source>
        <translation>重複の可能性あり</translation>
    </message>
    <message>
        <source>Account in file: %1</source>
        <translation>ファイル内の口座: %1</translation>
    </message>
    <message>
        <source>%1, line %2</source>
        <translation>%1、%2行目</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>取り込む</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>日付</translation>
    </message>
    <message>
        <source>Payee</source>
        <translation>取引先</translation>
    </message>
    <message>
        <source>Category</source>
        <translation>カテゴリ</translation>
    </message>
    <message>
        <source>Memo</source>
        <translation>メモ</translation>
    </message>
    <message>
        <source>Amount</source>
        <translation>金額</translation>
    </message>
    <message>
        <source>File</source>
        <translation>ファイル</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>備考</translation>
    </message>
    <message>
        <source>%1 (new category)</source>
        <translation>%1（新しいカテゴリ）</translation>
    </message>
</context>
<context>
    <name>ImportScreen</name>
    <message>
        <source>Add &amp;Files...</source>
        <translation>ファイルを追加(&amp;F)...</translation>
    </message>
    <message>
        <source>C&amp;lear</source>
        <translation>クリア(&amp;L)</translation>
    </message>
    <message>
        <source>No files chosen</source>
        <translation>ファイルが選択されていません</translation>
    </message>
    <message>
        <source>New Account...</source>
        <translation>新しい口座...</translation>
    </message>
    <message>
        <source>&amp;Target account:</source>
        <translation>インポート先の口座(&amp;T):</translation>
    </message>
    <message>
        <source>CSV columns and formats</source>
        <translation>CSV の列と形式</translation>
    </message>
    <message>
        <source>Comma</source>
        <translation>カンマ</translation>
    </message>
    <message>
        <source>Semicolon</source>
        <translation>セミコロン</translation>
    </message>
    <message>
        <source>Tab</source>
        <translation>タブ</translation>
    </message>
    <message>
        <source>First row holds column names</source>
        <translation>1行目は列名</translation>
    </message>
    <message>
        <source>Decimal comma (1.234,56)</source>
        <translation>小数点にカンマを使用 (1.234,56)</translation>
    </message>
    <message>
        <source>Delimiter:</source>
        <translation>区切り文字:</translation>
    </message>
    <message>
        <source>Date format:</source>
        <translation>日付の形式:</translation>
    </message>
    <message>
        <source>Date:</source>
        <translation>日付:</translation>
    </message>
    <message>
        <source>Payee:</source>
        <translation>取引先:</translation>
    </message>
    <message>
        <source>Memo:</source>
        <translation>メモ:</translation>
    </message>
    <message>
        <source>Check number:</source>
        <translation>小切手番号:</translation>
    </message>
    <message>
        <source>Amount:</source>
        <translation>金額:</translation>
    </message>
    <message>
        <source>Payment:</source>
        <translation>出金:</translation>
    </message>
    <message>
        <source>Deposit:</source>
        <translation>入金:</translation>
    </message>
    <message>
        <source>Category:</source>
        <translation>カテゴリ:</translation>
    </message>
    <message>
        <source>Rows that cannot be read:</source>
        <translation>読み込めない行:</translation>
    </message>
    <message>
        <source>&amp;Import</source>
        <translation>インポート(&amp;I)</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>閉じる</translation>
    </message>
    <message>
        <source>Import Files</source>
        <translation>ファイルのインポート</translation>
    </message>
    <message>
        <source>Bank files (*.csv *.qif *.txt);;All files (*)</source>
        <translation>銀行ファイル (*.csv *.qif *.txt);;すべてのファイル (*)</translation>
    </message>
    <message>
        <source>Opening Balance</source>
        <translation>開始残高</translation>
    </message>
    <message>
        <source>New Account</source>
        <translation>新しい口座</translation>
    </message>
    <message>
        <source>The account could not be created.</source>
        <translation>口座を作成できませんでした。</translation>
    </message>
    <message>
        <source>(none)</source>
        <translation>(なし)</translation>
    </message>
    <message>
        <source>%1, line %2: %3</source>
        <translation>%1、%2行目: %3</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>インポート</translation>
    </message>
    <message numerus="yes">
        <source>Imported %n transaction(s)</source>
        <translation>
            <numerusform>%n件の取引をインポートしました</numerusform>
        </translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Reading the files...</source>
        <translation>ファイルを読み込んでいます...</translation>
    </message>
    <message numerus="yes">
        <source>... and %n more</source>
        <translation>
            <numerusform>... ほか %n 件</numerusform>
        </translation>
    </message>
    <message>
        <source>Reading was cancelled.</source>
        <translation>読み込みを取り消しました。</translation>
    </message>
    <message>
        <source>Importing transactions...</source>
        <translation>取引を取り込んでいます...</translation>
    </message>
    <message>
        <source>The import was cancelled; nothing was written.</source>
        <translation>取り込みを取り消しました。何も書き込まれていません。</translation>
    </message>
    <message numerus="yes">
        <source>%1 and made %n new categor(y/ies)</source>
        <translation>
            <numerusform>%1、新しいカテゴリを%n件作成しました</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ImportService</name>
    <message>
        <source>%1 is larger than 50 MB and was not read.</source>
        <translation>%1は50 MB を超えているため読み込みませんでした。</translation>
    </message>
    <message>
        <source>%1 could not be read: %2</source>
        <translation>%1を読み込めませんでした: %2</translation>
    </message>
    <message>
        <source>%1 is neither a CSV nor a QIF file.</source>
        <translation>%1は CSV ファイルでも QIF ファイルでもありません。</translation>
    </message>
    <message>
        <source>Split: the transfer to %1 is not kept</source>
        <translation>分割取引: %1への振替は保持されません</translation>
    </message>
    <message>
        <source>No other account named %1 in this currency: imported without transfer</source>
        <translation>この通貨で%1という名前の別の口座がありません: 振替なしでインポートしました</translation>
    </message>
    <message>
        <source>The target account does not exist.</source>
        <translation>インポート先の口座が存在しません。</translation>
    </message>
    <message>
        <source>The import could not be saved; nothing was imported.</source>
        <translation>インポートを保存できなかったため、何もインポートしませんでした。</translation>
    </message>
    <message>
        <source>The new categories could not be saved; nothing was imported.</source>
        <translation>新しいカテゴリを保存できませんでした。何も取り込まれていません。</translation>
    </message>
    <message>
        <source>its columns differ from those of %1; import it on its own</source>
        <translation>列が %1 と異なります。このファイルは単独でインポートしてください</translation>
    </message>
    <message>
        <source>holds bytes that are not valid UTF-8</source>
        <translation>UTF-8 として無効なバイトを含んでいます</translation>
    </message>
    <message>
        <source>holds the control character 0x%1</source>
        <translation>制御文字 0x%1 を含んでいます</translation>
    </message>
    <message>
        <source>Line %1 of %2 could not be written: %3; nothing was imported.</source>
        <translation>%2の%1行目を書き込めませんでした: %3。何もインポートされていません。</translation>
    </message>
    <message>
        <source>its date is outside the years the register takes</source>
        <translation>日付が記録簿で扱える年の範囲外です</translation>
    </message>
    <message>
        <source>its amount would take a balance beyond what can be kept</source>
        <translation>金額により残高が保持できる範囲を超えます</translation>
    </message>
    <message>
        <source>the database refused it</source>
        <translation>データベースが拒否しました</translation>
    </message>
</context>
<context>
    <name>ImportValues</name>
    <message>
        <source>no amount</source>
        <translation>金額がありません</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not an amount</source>
        <translation>「%1」は金額ではありません</translation>
    </message>
    <message>
        <source>no date</source>
        <translation>日付がありません</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a date in the format %2</source>
        <translation>「%1」は%2形式の日付ではありません</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a date</source>
        <translation>「%1」は日付ではありません</translation>
    </message>
    <message>
        <source>not a valid date</source>
        <translation>有効な日付ではありません</translation>
    </message>
    <message>
        <source>date before 1900</source>
        <translation>1900年より前の日付です</translation>
    </message>
    <message>
        <source>&quot;%1&quot; has a group separator after the decimal separator</source>
        <translation>「%1」は小数点の後に桁区切りがあります</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not grouped in thousands</source>
        <translation>「%1」は 3 桁ごとに区切られていません</translation>
    </message>
    <message>
        <source>date more than 20 years from now</source>
        <translation>20 年以上先の日付です</translation>
    </message>
    <message>
        <source>amount too large: a register holds at most %1</source>
        <translation>金額が大きすぎます: 登録簿に入るのは最大 %1 です</translation>
    </message>
    <message>
        <source>&quot;%1&quot; has more than one sign</source>
        <translation>「%1」には符号が複数あります</translation>
    </message>
    <message>
        <source>&quot;%1&quot; has more decimals than the currency has (%2)</source>
        <translation>「%1」の小数桁が通貨の桁数 (%2) より多いです</translation>
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
        <translation>同期が完了しました</translation>
    </message>
    <message>
        <source>Signed in to your Tallowmere Account</source>
        <translation>Tallowmere アカウントにサインインしました</translation>
    </message>
    <message>
        <source>Signed in to your Tallowmere Account, but the sign-in could not be saved: it will not be kept after Tallyfern closes.</source>
        <translation>Tallowmere アカウントにサインインしましたが、サインイン情報を保存できませんでした。Tallyfern を終了するとサインインは保持されません。</translation>
    </message>
    <message>
        <source>Sign In</source>
        <translation>サインイン</translation>
    </message>
    <message>
        <source>No web browser could be opened. To sign in, open this address in a browser on this computer:</source>
        <translation>Web ブラウザーを開けませんでした。サインインするには、このコンピューターのブラウザーで次のアドレスを開いてください:</translation>
    </message>
    <message>
        <source>Sign-in failed: %1</source>
        <translation>サインインに失敗しました: %1</translation>
    </message>
    <message>
        <source>Signed out</source>
        <translation>サインアウトしました</translation>
    </message>
    <message>
        <source>Tallowmere Account</source>
        <translation>Tallowmere アカウント</translation>
    </message>
    <message>
        <source>Upload this computer&apos;s records to the online account %1?</source>
        <translation>このコンピューターのデータをオンライン アカウント%1にアップロードしますか?</translation>
    </message>
    <message>
        <source>Waiting for sign-in in your browser...</source>
        <translation>ブラウザーでのサインインを待っています...</translation>
    </message>
    <message>
        <source>%1 — Tallyfern</source>
        <translation>%1 — Tallyfern</translation>
    </message>
    <message>
        <source>Opening Balance</source>
        <translation>開始残高</translation>
    </message>
    <message>
        <source>New Account</source>
        <translation>新しい口座</translation>
    </message>
    <message>
        <source>The account could not be created.</source>
        <translation>口座を作成できませんでした。</translation>
    </message>
    <message>
        <source>Account &quot;%1&quot; created</source>
        <translation>口座「%1」を作成しました</translation>
    </message>
    <message>
        <source>Edit Account</source>
        <translation>口座の編集</translation>
    </message>
    <message>
        <source>The account could not be saved.</source>
        <translation>口座を保存できませんでした。</translation>
    </message>
    <message>
        <source>Delete Account</source>
        <translation>口座の削除</translation>
    </message>
    <message>
        <source>Delete the account &quot;%1&quot;?

Its transactions, recurring transactions and reconciliations are deleted with it.</source>
        <translation>口座「%1」を削除しますか?

この口座の取引、定期取引、照合の記録もあわせて削除されます。</translation>
    </message>
    <message numerus="yes">
        <source>%n transfer(s) link it to other accounts; their other side stays there as it is.</source>
        <translation>
            <numerusform>%n件の振替でほかの口座とつながっています。相手側の取引はそのまま残ります。</numerusform>
        </translation>
    </message>
    <message>
        <source>The account could not be deleted.</source>
        <translation>口座を削除できませんでした。</translation>
    </message>
    <message>
        <source>Account &quot;%1&quot; deleted</source>
        <translation>口座「%1」を削除しました</translation>
    </message>
    <message>
        <source>Posted 1 recurring transaction</source>
        <translation>定期取引を1件記帳しました</translation>
    </message>
    <message>
        <source>Posted %1 recurring transactions</source>
        <translation>定期取引を%1件記帳しました</translation>
    </message>
    <message>
        <source>Share Account</source>
        <translation>口座の共有</translation>
    </message>
    <message>
        <source>Sharing: %1</source>
        <translation>共有: %1</translation>
    </message>
    <message>
        <source>Share this account with members of your Tallowmere family group. They&apos;ll see the same register, balances, and reconciliation history on their devices.</source>
        <translation>この口座を Tallowmere ファミリー グループのメンバーと共有します。メンバーのデバイスにも同じ出納帳、残高、照合の履歴が表示されます。</translation>
    </message>
    <message>
        <source>Shared with</source>
        <translation>共有先</translation>
    </message>
    <message>
        <source>Not shared with anyone yet.</source>
        <translation>まだ誰とも共有していません。</translation>
    </message>
    <message>
        <source>You are not in a family group yet. Create or join one in your Tallowmere account to share accounts.</source>
        <translation>まだファミリー グループに参加していません。口座を共有するには、Tallowmere アカウントでグループを作成するか、グループに参加してください。</translation>
    </message>
    <message>
        <source>Share</source>
        <translation>共有</translation>
    </message>
    <message>
        <source>Remove access</source>
        <translation>アクセスを削除</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>閉じる</translation>
    </message>
    <message>
        <source>Share Failed</source>
        <translation>共有に失敗しました</translation>
    </message>
    <message>
        <source>Remove Failed</source>
        <translation>削除に失敗しました</translation>
    </message>
    <message>
        <source>Remove Share</source>
        <translation>共有の解除</translation>
    </message>
    <message>
        <source>Remove %1&apos;s access to this account?</source>
        <translation>%1のこの口座へのアクセスを削除しますか?</translation>
    </message>
    <message>
        <source>Sign-in cancelled</source>
        <translation>サインインをキャンセルしました</translation>
    </message>
    <message>
        <source>You were signed out of your Tallowmere Account: the account service no longer accepts this computer&apos;s sign-in. Syncing has stopped; your records on this computer are kept.

To sync again, sign in via File › Tallowmere Account.</source>
        <translation>Tallowmere アカウントからサインアウトされました。アカウント サービスがこのコンピューターのサインインを受け付けなくなりました。同期は停止しました。このコンピューター上の記録はそのまま残ります。

再び同期するには、[ファイル] › [Tallowmere アカウント] からサインインしてください。</translation>
    </message>
    <message>
        <source>Sync waits for your answer</source>
        <translation>同期は回答を待っています</translation>
    </message>
</context>
<context>
    <name>MainWindowMenus</name>
    <message>
        <source>&amp;File</source>
        <translation>ファイル(&amp;F)</translation>
    </message>
    <message>
        <source>Import...</source>
        <translation>インポート...</translation>
    </message>
    <message>
        <source>Tallowmere &amp;Account...</source>
        <translation>Tallowmere アカウント(&amp;A)...</translation>
    </message>
    <message>
        <source>Sign &amp;Out of Tallowmere Account</source>
        <translation>Tallowmere アカウントからサインアウト(&amp;O)</translation>
    </message>
    <message>
        <source>&amp;Preferences...</source>
        <translation>設定(&amp;P)...</translation>
    </message>
    <message>
        <source>Ctrl+,</source>
        <translation>Ctrl+,</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>終了(&amp;X)</translation>
    </message>
    <message>
        <source>&amp;Account</source>
        <translation>口座(&amp;A)</translation>
    </message>
    <message>
        <source>&amp;New Account...</source>
        <translation>新しい口座(&amp;N)...</translation>
    </message>
    <message>
        <source>Ctrl+Shift+N</source>
        <translation>Ctrl+Shift+N</translation>
    </message>
    <message>
        <source>&amp;Edit Account...</source>
        <translation>口座の編集(&amp;E)...</translation>
    </message>
    <message>
        <source>&amp;Delete Account...</source>
        <translation>口座の削除(&amp;D)...</translation>
    </message>
    <message>
        <source>&amp;Share Account...</source>
        <translation>口座の共有(&amp;S)...</translation>
    </message>
    <message>
        <source>&amp;Transaction</source>
        <translation>取引(&amp;T)</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>表示(&amp;V)</translation>
    </message>
    <message>
        <source>&amp;Theme</source>
        <translation>テーマ(&amp;T)</translation>
    </message>
    <message>
        <source>&amp;System</source>
        <translation>システム(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;Light</source>
        <translation>ライト(&amp;L)</translation>
    </message>
    <message>
        <source>&amp;Dark</source>
        <translation>ダーク(&amp;D)</translation>
    </message>
    <message>
        <source>Sidebar &amp;Balances</source>
        <translation>サイドバーの残高(&amp;B)</translation>
    </message>
    <message>
        <source>&amp;Current Balance</source>
        <translation>現在の残高(&amp;C)</translation>
    </message>
    <message>
        <source>C&amp;leared Balance</source>
        <translation>決済済み残高(&amp;L)</translation>
    </message>
    <message>
        <source>Balance as of &amp;Today</source>
        <translation>本日時点の残高(&amp;T)</translation>
    </message>
    <message>
        <source>T&amp;wo-Line Register</source>
        <translation>2行表示の出納帳(&amp;W)</translation>
    </message>
    <message>
        <source>&amp;Newest First</source>
        <translation>新しい順(&amp;N)</translation>
    </message>
    <message>
        <source>T&amp;ools</source>
        <translation>ツール(&amp;O)</translation>
    </message>
    <message>
        <source>Reconcile...</source>
        <translation>照合...</translation>
    </message>
    <message>
        <source>Reconciliation History...</source>
        <translation>照合の履歴...</translation>
    </message>
    <message>
        <source>Recurring Transactions...</source>
        <translation>定期取引...</translation>
    </message>
    <message>
        <source>Categories...</source>
        <translation>カテゴリ...</translation>
    </message>
    <message>
        <source>Search Transactions...</source>
        <translation>取引の検索...</translation>
    </message>
    <message>
        <source>Payees...</source>
        <translation>取引先...</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>ヘルプ(&amp;H)</translation>
    </message>
    <message>
        <source>Check for &amp;Updates...</source>
        <translation>更新の確認(&amp;U)...</translation>
    </message>
    <message>
        <source>What&apos;s &amp;New...</source>
        <translation>新機能(&amp;N)...</translation>
    </message>
    <message>
        <source>Send &amp;Feedback...</source>
        <translation>フィードバックを送信(&amp;F)...</translation>
    </message>
    <message>
        <source>Send Feedback</source>
        <translation>フィードバックの送信</translation>
    </message>
    <message>
        <source>No web browser could be opened. Open this address in a browser:</source>
        <translation>Web ブラウザーを開けませんでした。次のアドレスをブラウザーで開いてください:</translation>
    </message>
    <message>
        <source>&amp;About Tallyfern</source>
        <translation>Tallyfern について(&amp;A)</translation>
    </message>
    <message>
        <source>About Tallyfern</source>
        <translation>Tallyfern について</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Tallyfern %1&lt;/h3&gt;&lt;p&gt;A check register for your desktop: accounts, transactions, transfers and splits, kept in one file on this computer.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Tallyfern %1&lt;/h3&gt;&lt;p&gt;デスクトップで使う出納帳です。口座、取引、振替、分割取引を、このコンピューター上の1つのファイルに保存します。&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Show &amp;Running Balance</source>
        <translation>残高の推移を表示(&amp;R)</translation>
    </message>
</context>
<context>
    <name>PayeeScreen</name>
    <message>
        <source>Payee Management</source>
        <translation>取引先の管理</translation>
    </message>
    <message>
        <source>Rename to:</source>
        <translation>新しい名前:</translation>
    </message>
    <message>
        <source>Rename Selected</source>
        <translation>選択項目の名前を変更</translation>
    </message>
    <message>
        <source>Merge Selected</source>
        <translation>選択項目を統合</translation>
    </message>
    <message>
        <source>Rename Failed</source>
        <translation>名前の変更に失敗しました</translation>
    </message>
    <message>
        <source>Rename Complete</source>
        <translation>名前の変更が完了しました</translation>
    </message>
    <message numerus="yes">
        <source>Renamed %n transaction(s).</source>
        <translation>
            <numerusform>%n件の取引の取引先名を変更しました。</numerusform>
        </translation>
    </message>
    <message>
        <source>Merge</source>
        <translation>統合</translation>
    </message>
    <message>
        <source>Select 2 or more payees to merge.</source>
        <translation>統合する取引先を2つ以上選択してください。</translation>
    </message>
    <message>
        <source>Merge Payees</source>
        <translation>取引先の統合</translation>
    </message>
    <message>
        <source>Merge %1 payees into &quot;%2&quot;?</source>
        <translation>%1件の取引先を「%2」に統合しますか?</translation>
    </message>
    <message>
        <source>Merge Failed</source>
        <translation>統合に失敗しました</translation>
    </message>
    <message>
        <source>Merge Complete</source>
        <translation>統合が完了しました</translation>
    </message>
    <message numerus="yes">
        <source>Merged %n transaction(s).</source>
        <translation>
            <numerusform>%n件の取引を統合しました。</numerusform>
        </translation>
    </message>
    <message>
        <source>The opening balances could not be kept.</source>
        <translation>開始残高を保持できませんでした。</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Failed to share account (HTTP %1)</source>
        <translation>口座を共有できませんでした (HTTP %1)</translation>
    </message>
    <message>
        <source>Checking for updates…</source>
        <translation>更新を確認しています…</translation>
    </message>
    <message>
        <source>%1 is up to date (version %2)</source>
        <translation>%1は最新です (バージョン%2)</translation>
    </message>
    <message>
        <source>Update check failed: %1</source>
        <translation>更新の確認に失敗しました: %1</translation>
    </message>
    <message>
        <source>No release notes available for %1 %2</source>
        <translation>%1 %2のリリース ノートはありません</translation>
    </message>
    <message>
        <source>Loading release notes…</source>
        <translation>リリース ノートを読み込んでいます…</translation>
    </message>
</context>
<context>
    <name>QifReader</name>
    <message>
        <source>a record outside of any section</source>
        <translation>どのセクションにも属さないレコードです</translation>
    </message>
    <message>
        <source>the section %1 is not read</source>
        <translation>セクション%1は読み込まれません</translation>
    </message>
    <message>
        <source>the split amounts do not add up to the total</source>
        <translation>分割行の金額の合計が総額と一致しません</translation>
    </message>
    <message>
        <source>&quot;%1&quot; shows a decimal comma, other amounts of the file a decimal point</source>
        <translation>「%1」は小数点にコンマを使っていますが、ファイルの他の金額はピリオドです</translation>
    </message>
    <message>
        <source>&quot;%1&quot; shows a decimal point, other amounts of the file a decimal comma</source>
        <translation>「%1」は小数点にピリオドを使っていますが、ファイルの他の金額はコンマです</translation>
    </message>
</context>
<context>
    <name>ReconciliationHistoryScreen</name>
    <message>
        <source>Reconciliation History</source>
        <translation>照合の履歴</translation>
    </message>
    <message>
        <source>Past reconciliations for this account.</source>
        <translation>この口座の過去の照合です。</translation>
    </message>
    <message>
        <source>Statement Date</source>
        <translation>明細書の日付</translation>
    </message>
    <message>
        <source>Statement Balance</source>
        <translation>明細書の残高</translation>
    </message>
    <message>
        <source>Reconciled Balance</source>
        <translation>照合済み残高</translation>
    </message>
    <message>
        <source>Completed</source>
        <translation>完了日時</translation>
    </message>
    <message>
        <source>No reconciliations yet. Reconcile your account from the register to see the history here.</source>
        <translation>まだ照合の記録はありません。出納帳から口座を照合すると、ここに履歴が表示されます。</translation>
    </message>
    <message>
        <source>Reconciliation History — %1</source>
        <translation>照合の履歴 — %1</translation>
    </message>
</context>
<context>
    <name>ReconciliationScreen</name>
    <message>
        <source>Reconcile Account</source>
        <translation>口座の照合</translation>
    </message>
    <message>
        <source>Statement Date:</source>
        <translation>明細書の日付:</translation>
    </message>
    <message>
        <source>Statement Balance:</source>
        <translation>明細書の残高:</translation>
    </message>
    <message>
        <source>Previous Balance</source>
        <translation>前回の残高</translation>
    </message>
    <message>
        <source>Cleared Deposits</source>
        <translation>決済済みの入金</translation>
    </message>
    <message>
        <source>Cleared Withdrawals</source>
        <translation>決済済みの出金</translation>
    </message>
    <message>
        <source>Cleared Balance</source>
        <translation>決済済み残高</translation>
    </message>
    <message>
        <source>Statement Balance</source>
        <translation>明細書の残高</translation>
    </message>
    <message>
        <source>Difference</source>
        <translation>差額</translation>
    </message>
    <message>
        <source>Finish Reconciliation</source>
        <translation>照合を完了</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Add Transaction</source>
        <translation>取引を追加</translation>
    </message>
    <message>
        <source>Add a transaction (%1)</source>
        <translation>取引を追加します (%1)</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>編集</translation>
    </message>
    <message>
        <source>Edit selected transaction (F2)</source>
        <translation>選択した取引を編集します (F2)</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>削除</translation>
    </message>
    <message>
        <source>Delete selected transaction (Del)</source>
        <translation>選択した取引を削除します (Del)</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>日付</translation>
    </message>
    <message>
        <source>Payee</source>
        <translation>取引先</translation>
    </message>
    <message>
        <source>Amount</source>
        <translation>金額</translation>
    </message>
    <message>
        <source>Clr</source>
        <translation>決済</translation>
    </message>
    <message>
        <source>Reconciliation Complete</source>
        <translation>照合が完了しました</translation>
    </message>
    <message>
        <source>Account reconciled successfully.</source>
        <translation>口座の照合が完了しました。</translation>
    </message>
    <message>
        <source>Transactions Changed</source>
        <translation>取引が変更されました</translation>
    </message>
    <message>
        <source>Some of the ticked transactions were changed or deleted since they were shown. Nothing was reconciled; the list has been read again. Check the difference and finish again.</source>
        <translation>チェックした取引の一部が、表示後に変更または削除されました。照合は行われず、一覧を読み込み直しました。差額を確認して、もう一度完了してください。</translation>
    </message>
    <message>
        <source>Reconciliation Failed</source>
        <translation>照合に失敗しました</translation>
    </message>
    <message>
        <source>The reconciliation could not be saved. Nothing was changed.</source>
        <translation>照合を保存できませんでした。何も変更されていません。</translation>
    </message>
    <message>
        <source>Save Failed</source>
        <translation>保存に失敗しました</translation>
    </message>
    <message>
        <source>The transaction could not be saved.</source>
        <translation>取引を保存できませんでした。</translation>
    </message>
    <message>
        <source>Delete Transaction</source>
        <translation>取引の削除</translation>
    </message>
    <message>
        <source>Delete the transaction for %1?</source>
        <translation>%1の取引を削除しますか?</translation>
    </message>
    <message>
        <source>Delete Failed</source>
        <translation>削除に失敗しました</translation>
    </message>
    <message>
        <source>The transaction could not be deleted.</source>
        <translation>取引を削除できませんでした。</translation>
    </message>
</context>
<context>
    <name>RecurringFormDialog</name>
    <message>
        <source>Last day</source>
        <translation>末日</translation>
    </message>
    <message>
        <source>Edit Recurring Transaction</source>
        <translation>定期取引の編集</translation>
    </message>
    <message>
        <source>New Recurring Transaction</source>
        <translation>新しい定期取引</translation>
    </message>
    <message>
        <source>Memorize Transaction</source>
        <translation>定期取引に登録</translation>
    </message>
    <message>
        <source>Account:</source>
        <translation>口座:</translation>
    </message>
    <message>
        <source>Payment</source>
        <translation>出金</translation>
    </message>
    <message>
        <source>Deposit</source>
        <translation>入金</translation>
    </message>
    <message>
        <source>Type:</source>
        <translation>種類:</translation>
    </message>
    <message>
        <source>Start typing to search payees...</source>
        <translation>取引先を入力して検索...</translation>
    </message>
    <message>
        <source>Payee:</source>
        <translation>取引先:</translation>
    </message>
    <message>
        <source>Amount:</source>
        <translation>金額:</translation>
    </message>
    <message>
        <source>Category:</source>
        <translation>カテゴリ:</translation>
    </message>
    <message>
        <source>Optional</source>
        <translation>任意</translation>
    </message>
    <message>
        <source>Memo:</source>
        <translation>メモ:</translation>
    </message>
    <message>
        <source>Daily</source>
        <translation>毎日</translation>
    </message>
    <message>
        <source>Weekly</source>
        <translation>毎週</translation>
    </message>
    <message>
        <source>Bi-weekly</source>
        <translation>隔週</translation>
    </message>
    <message>
        <source>Monthly</source>
        <translation>毎月</translation>
    </message>
    <message>
        <source>Semi-monthly</source>
        <translation>月2回</translation>
    </message>
    <message>
        <source>Quarterly</source>
        <translation>四半期ごと</translation>
    </message>
    <message>
        <source>Semi-annual</source>
        <translation>半年ごと</translation>
    </message>
    <message>
        <source>Annual</source>
        <translation>毎年</translation>
    </message>
    <message>
        <source>Frequency:</source>
        <translation>頻度:</translation>
    </message>
    <message>
        <source>Repeat every:</source>
        <translation>繰り返し間隔:</translation>
    </message>
    <message>
        <source>First day:</source>
        <translation>1回目の日:</translation>
    </message>
    <message>
        <source>Second day:</source>
        <translation>2回目の日:</translation>
    </message>
    <message>
        <source>Start Date:</source>
        <translation>開始日:</translation>
    </message>
    <message>
        <source>Has end date</source>
        <translation>終了日を設定</translation>
    </message>
    <message>
        <source>End Date:</source>
        <translation>終了日:</translation>
    </message>
    <message>
        <source>Auto-post when due</source>
        <translation>期日に自動で記帳</translation>
    </message>
    <message>
        <source> days</source>
        <translation> 日前</translation>
    </message>
    <message>
        <source>Enter in advance:</source>
        <translation>事前に記帳:</translation>
    </message>
    <message>
        <source>Active</source>
        <translation>有効</translation>
    </message>
    <message>
        <source>(none)</source>
        <translation>(なし)</translation>
    </message>
    <message>
        <source>day</source>
        <translation>日</translation>
    </message>
    <message>
        <source>days</source>
        <translation>日</translation>
    </message>
    <message>
        <source>week</source>
        <translation>週</translation>
    </message>
    <message>
        <source>weeks</source>
        <translation>週</translation>
    </message>
    <message>
        <source>month</source>
        <translation>か月</translation>
    </message>
    <message>
        <source>months</source>
        <translation>か月</translation>
    </message>
    <message>
        <source>quarter</source>
        <translation>四半期</translation>
    </message>
    <message>
        <source>quarters</source>
        <translation>四半期</translation>
    </message>
    <message>
        <source>year</source>
        <translation>年</translation>
    </message>
    <message>
        <source>years</source>
        <translation>年</translation>
    </message>
    <message>
        <source>Create an account first: a recurring transaction is posted to an account.</source>
        <translation>先に口座を作成してください。定期取引は口座に記帳されます。</translation>
    </message>
</context>
<context>
    <name>RecurringModel</name>
    <message>
        <source>Yes</source>
        <translation>はい</translation>
    </message>
    <message>
        <source>No</source>
        <translation>いいえ</translation>
    </message>
    <message>
        <source>Active</source>
        <translation>有効</translation>
    </message>
    <message>
        <source>Inactive</source>
        <translation>無効</translation>
    </message>
    <message>
        <source>Account</source>
        <translation>口座</translation>
    </message>
    <message>
        <source>Payee</source>
        <translation>取引先</translation>
    </message>
    <message>
        <source>Amount</source>
        <translation>金額</translation>
    </message>
    <message>
        <source>Frequency</source>
        <translation>頻度</translation>
    </message>
    <message>
        <source>Next Due</source>
        <translation>次回の期日</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>自動</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>状態</translation>
    </message>
    <message>
        <source>Semi-monthly (%1 &amp; %2)</source>
        <translation>月2回 (%1と%2)</translation>
    </message>
    <message>
        <source>Every %1 days</source>
        <translation>%1日ごと</translation>
    </message>
    <message>
        <source>Every %1 weeks</source>
        <translation>%1週間ごと</translation>
    </message>
    <message>
        <source>Every %1 months</source>
        <translation>%1か月ごと</translation>
    </message>
    <message>
        <source>Every %1 years</source>
        <translation>%1年ごと</translation>
    </message>
    <message>
        <source>%1 (×%2)</source>
        <translation>%1 (×%2)</translation>
    </message>
    <message>
        <source>last day</source>
        <translation>末日</translation>
    </message>
</context>
<context>
    <name>RecurringScreen</name>
    <message>
        <source>Recurring Transactions</source>
        <translation>定期取引</translation>
    </message>
    <message>
        <source>Confirm All Due</source>
        <translation>期日の来たものをすべて確定</translation>
    </message>
    <message>
        <source>Enter Next 7 Days</source>
        <translation>今後7日分を記帳</translation>
    </message>
    <message>
        <source>New Recurring</source>
        <translation>新規定期取引</translation>
    </message>
    <message>
        <source>(%1 due)</source>
        <translation>(期日到来: %1件)</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>編集(&amp;E)</translation>
    </message>
    <message>
        <source>&amp;Confirm</source>
        <translation>確定(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Skip</source>
        <translation>スキップ(&amp;S)</translation>
    </message>
    <message>
        <source>Enter &amp;Early...</source>
        <translation>早めに記帳(&amp;E)...</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>削除(&amp;D)</translation>
    </message>
    <message>
        <source>Enter all recurring transactions due in the next 7 days? They are dated their due dates and you can edit or delete them later.</source>
        <translation>今後7日以内に期日が来る定期取引をすべて記帳しますか? 日付はそれぞれの期日になり、あとで編集や削除ができます。</translation>
    </message>
    <message>
        <source>Enter Early</source>
        <translation>早めに記帳</translation>
    </message>
    <message>
        <source>Enter &quot;%1&quot; now, dated %2? The transaction is dated its due date and you can edit or delete it later.</source>
        <translation>「%1」を日付%2で今すぐ記帳しますか? 取引の日付は期日になり、あとで編集や削除ができます。</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>削除</translation>
    </message>
    <message>
        <source>Delete recurring &quot;%1&quot;?</source>
        <translation>定期取引「%1」を削除しますか?</translation>
    </message>
</context>
<context>
    <name>RegisterCells</name>
    <message>
        <source>Reconciled</source>
        <translation>照合済み</translation>
    </message>
    <message>
        <source>Cleared</source>
        <translation>決済済み</translation>
    </message>
    <message>
        <source>Not cleared</source>
        <translation>未決済</translation>
    </message>
</context>
<context>
    <name>RegisterCommands</name>
    <message>
        <source>&amp;New Transaction...</source>
        <translation>新しい取引(&amp;N)...</translation>
    </message>
    <message>
        <source>Ctrl+N</source>
        <translation>Ctrl+N</translation>
    </message>
    <message>
        <source>&amp;Edit Transaction...</source>
        <translation>取引の編集(&amp;E)...</translation>
    </message>
    <message>
        <source>Ctrl+E</source>
        <translation>Ctrl+E</translation>
    </message>
    <message>
        <source>De&amp;tails...</source>
        <translation>詳細(&amp;T)...</translation>
    </message>
    <message>
        <source>Ctrl+I</source>
        <translation>Ctrl+I</translation>
    </message>
    <message>
        <source>&amp;Splits...</source>
        <translation>分割(&amp;S)...</translation>
    </message>
    <message>
        <source>Ctrl+Shift+S</source>
        <translation>Ctrl+Shift+S</translation>
    </message>
    <message>
        <source>D&amp;uplicate...</source>
        <translation>複製(&amp;U)...</translation>
    </message>
    <message>
        <source>Ctrl+D</source>
        <translation>Ctrl+D</translation>
    </message>
    <message>
        <source>&amp;Memorize Transaction...</source>
        <translation>定期取引に登録(&amp;M)...</translation>
    </message>
    <message>
        <source>Ctrl+M</source>
        <translation>Ctrl+M</translation>
    </message>
    <message>
        <source>Toggle &amp;Cleared</source>
        <translation>決済済みの切り替え(&amp;C)</translation>
    </message>
    <message>
        <source>Ctrl+K</source>
        <translation>Ctrl+K</translation>
    </message>
    <message>
        <source>&amp;Delete Transaction...</source>
        <translation>取引の削除(&amp;D)...</translation>
    </message>
    <message>
        <source>Ctrl+Del</source>
        <translation>Ctrl+Del</translation>
    </message>
    <message>
        <source>&amp;Filter...</source>
        <translation>絞り込み(&amp;F)...</translation>
    </message>
    <message>
        <source>Ctrl+F</source>
        <translation>Ctrl+F</translation>
    </message>
    <message>
        <source>C&amp;lear Filter</source>
        <translation>絞り込みを解除(&amp;L)</translation>
    </message>
    <message>
        <source>Ctrl+Shift+F</source>
        <translation>Ctrl+Shift+F</translation>
    </message>
    <message>
        <source>Save Failed</source>
        <translation>保存に失敗しました</translation>
    </message>
    <message>
        <source>The transaction could not be saved.</source>
        <translation>取引を保存できませんでした。</translation>
    </message>
    <message>
        <source>Cannot memorize: source transaction has an invalid date</source>
        <translation>定期取引に登録できません: 元の取引の日付が無効です</translation>
    </message>
    <message>
        <source>Transaction memorized as recurring</source>
        <translation>取引を定期取引に登録しました</translation>
    </message>
    <message>
        <source>The transaction could not be memorized</source>
        <translation>取引を定期取引に登録できませんでした</translation>
    </message>
    <message>
        <source>Transaction deleted</source>
        <translation>取引を削除しました</translation>
    </message>
</context>
<context>
    <name>RegisterDelegate</name>
    <message>
        <source>There is no category &quot;%1&quot;. Press Tab to create it.</source>
        <translation>カテゴリ「%1」はありません。Tab キーを押すと作成します。</translation>
    </message>
    <message>
        <source>New Category</source>
        <translation>新しいカテゴリ</translation>
    </message>
    <message>
        <source>Create category &quot;%1&quot;?</source>
        <translation>カテゴリ「%1」を作成しますか?</translation>
    </message>
    <message>
        <source>The category &quot;%1&quot; could not be created.</source>
        <translation>カテゴリ「%1」を作成できませんでした。</translation>
    </message>
    <message>
        <source>New transaction…</source>
        <translation>新しい取引…</translation>
    </message>
    <message>
        <source>Category</source>
        <translation>カテゴリ</translation>
    </message>
</context>
<context>
    <name>RegisterEntryRow</name>
    <message>
        <source>Save Failed</source>
        <translation>保存に失敗しました</translation>
    </message>
    <message>
        <source>The transaction could not be saved. Check the transfer account and try again.</source>
        <translation>取引を保存できませんでした。振替先の口座を確認して、もう一度お試しください。</translation>
    </message>
    <message>
        <source>Transaction added</source>
        <translation>取引を追加しました</translation>
    </message>
</context>
<context>
    <name>RegisterFilter</name>
    <message>
        <source>containing &quot;%1&quot;</source>
        <translation>「%1」を含む</translation>
    </message>
    <message>
        <source>from %1 to %2</source>
        <translation>%1～%2</translation>
    </message>
    <message>
        <source>from %1</source>
        <translation>%1以降</translation>
    </message>
    <message>
        <source>through %1</source>
        <translation>%1まで</translation>
    </message>
    <message>
        <source>cleared</source>
        <translation>決済済み</translation>
    </message>
    <message>
        <source>not cleared</source>
        <translation>未決済</translation>
    </message>
</context>
<context>
    <name>RegisterFilterDialog</name>
    <message>
        <source>Filter Register</source>
        <translation>出納帳の絞り込み</translation>
    </message>
    <message>
        <source>Payee, memo, check number or category</source>
        <translation>取引先、メモ、小切手番号、カテゴリ</translation>
    </message>
    <message>
        <source>&amp;Text:</source>
        <translation>テキスト(&amp;T):</translation>
    </message>
    <message>
        <source>&amp;From:</source>
        <translation>開始日(&amp;F):</translation>
    </message>
    <message>
        <source>T&amp;o:</source>
        <translation>終了日(&amp;O):</translation>
    </message>
    <message>
        <source>All transactions</source>
        <translation>すべての取引</translation>
    </message>
    <message>
        <source>Cleared only</source>
        <translation>決済済みのみ</translation>
    </message>
    <message>
        <source>Not cleared only</source>
        <translation>未決済のみ</translation>
    </message>
    <message>
        <source>&amp;Status:</source>
        <translation>状態(&amp;S):</translation>
    </message>
</context>
<context>
    <name>RegisterHeading</name>
    <message>
        <source>Cleared balance</source>
        <translation>決済済み残高</translation>
    </message>
    <message>
        <source>Current balance</source>
        <translation>現在の残高</translation>
    </message>
    <message>
        <source>No account selected</source>
        <translation>口座が選択されていません</translation>
    </message>
</context>
<context>
    <name>RegisterModel</name>
    <message>
        <source>(deleted account)</source>
        <translation>(削除された口座)</translation>
    </message>
    <message>
        <source>Transfer from %1</source>
        <translation>%1からの振替</translation>
    </message>
    <message>
        <source>Transfer to %1</source>
        <translation>%1への振替</translation>
    </message>
    <message>
        <source>— Split —</source>
        <translation>— 分割 —</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>日付</translation>
    </message>
    <message>
        <source>Chk #</source>
        <translation>小切手番号</translation>
    </message>
    <message>
        <source>Payee / Memo</source>
        <translation>取引先 / メモ</translation>
    </message>
    <message>
        <source>Payee</source>
        <translation>取引先</translation>
    </message>
    <message>
        <source>Category</source>
        <translation>カテゴリ</translation>
    </message>
    <message>
        <source>Memo</source>
        <translation>メモ</translation>
    </message>
    <message>
        <source>Payment</source>
        <translation>出金</translation>
    </message>
    <message>
        <source>Deposit</source>
        <translation>入金</translation>
    </message>
    <message>
        <source>Clr</source>
        <translation>決済</translation>
    </message>
    <message>
        <source>Balance</source>
        <translation>残高</translation>
    </message>
    <message>
        <source>R</source>
        <comment>mark of a reconciled transaction in the cleared column</comment>
        <translation>照</translation>
    </message>
</context>
<context>
    <name>RegisterScreen</name>
    <message>
        <source>Clear Filter</source>
        <translation>絞り込みを解除</translation>
    </message>
    <message>
        <source>The transactions of this account could not be read from the database.</source>
        <translation>この口座の取引をデータベースから読み込めませんでした。</translation>
    </message>
    <message>
        <source>Showing transactions %1.</source>
        <translation>表示中の取引: %1</translation>
    </message>
    <message>
        <source>A reconciled transaction stays cleared.</source>
        <translation>照合済みの取引は決済済みのままです。</translation>
    </message>
    <message>
        <source>The transaction could not be saved.</source>
        <translation>取引を保存できませんでした。</translation>
    </message>
    <message>
        <source>The amounts of %1 are too large to add up.</source>
        <translation>%1 の金額が大きすぎて合計できません。</translation>
    </message>
</context>
<context>
    <name>SearchScreen</name>
    <message>
        <source>Search payee, memo, check number...</source>
        <translation>取引先、メモ、小切手番号を検索...</translation>
    </message>
    <message>
        <source>Account:</source>
        <translation>口座:</translation>
    </message>
    <message>
        <source>All Accounts</source>
        <translation>すべての口座</translation>
    </message>
    <message>
        <source>Category:</source>
        <translation>カテゴリ:</translation>
    </message>
    <message>
        <source>All Categories</source>
        <translation>すべてのカテゴリ</translation>
    </message>
    <message>
        <source>Date range:</source>
        <translation>期間:</translation>
    </message>
    <message>
        <source>to</source>
        <translation>～</translation>
    </message>
    <message>
        <source>Cleared only</source>
        <translation>決済済みのみ</translation>
    </message>
    <message>
        <source>Edit &amp;Splits...</source>
        <translation>分割を編集(&amp;S)...</translation>
    </message>
    <message>
        <source>&amp;Split Transaction...</source>
        <translation>取引を分割(&amp;S)...</translation>
    </message>
    <message>
        <source>&amp;Edit in Dialog...</source>
        <translation>ダイアログで編集(&amp;E)...</translation>
    </message>
    <message>
        <source>Mark &amp;Uncleared</source>
        <translation>未決済にする(&amp;U)</translation>
    </message>
    <message>
        <source>Mark &amp;Cleared</source>
        <translation>決済済みにする(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Delete...</source>
        <translation>削除(&amp;D)...</translation>
    </message>
    <message>
        <source>Show De&amp;tails...</source>
        <translation>詳細を表示(&amp;T)...</translation>
    </message>
    <message>
        <source>Du&amp;plicate...</source>
        <translation>複製(&amp;P)...</translation>
    </message>
</context>
<context>
    <name>SettingsDataSyncPage</name>
    <message>
        <source>Data &amp; Sync</source>
        <translation>データと同期</translation>
    </message>
    <message>
        <source>Sync</source>
        <translation>同期</translation>
    </message>
    <message>
        <source>Keep your tallyfern in sync across all your devices.</source>
        <translation>すべてのデバイスで Tallyfern のデータを同期します。</translation>
    </message>
    <message>
        <source>Sync Now</source>
        <translation>今すぐ同期</translation>
    </message>
    <message>
        <source>Force Full Sync</source>
        <translation>完全同期を実行</translation>
    </message>
    <message>
        <source>Backup &amp; Restore</source>
        <translation>バックアップと復元</translation>
    </message>
    <message>
        <source>Save or restore your data to a portable backup file.</source>
        <translation>データをバックアップ ファイルに保存したり、そこから復元したりします。</translation>
    </message>
    <message>
        <source>Export Backup</source>
        <translation>バックアップをエクスポート</translation>
    </message>
    <message>
        <source>Import Backup</source>
        <translation>バックアップをインポート</translation>
    </message>
    <message>
        <source>Deleted Accounts</source>
        <translation>削除した口座</translation>
    </message>
    <message>
        <source>Accounts you&apos;ve deleted can be restored here.</source>
        <translation>削除した口座をここで復元できます。</translation>
    </message>
    <message>
        <source>Restore Selected</source>
        <translation>選択項目を復元</translation>
    </message>
    <message>
        <source>Not signed in.
Sign in via File › Tallowmere Account to enable sync.</source>
        <translation>サインインしていません。
同期を有効にするには、[ファイル] › [Tallowmere アカウント] からサインインしてください。</translation>
    </message>
    <message>
        <source>&lt;b&gt;Signed in as:&lt;/b&gt; %1&lt;br&gt;&lt;b&gt;Status:&lt;/b&gt; &lt;span style=&quot;color:%2&quot;&gt;%3&lt;/span&gt;</source>
        <translation>&lt;b&gt;サインイン中:&lt;/b&gt; %1&lt;br&gt;&lt;b&gt;状態:&lt;/b&gt; &lt;span style=&quot;color:%2&quot;&gt;%3&lt;/span&gt;</translation>
    </message>
    <message>
        <source>Last synced: %1</source>
        <translation>最終同期: %1</translation>
    </message>
    <message>
        <source>Never synced</source>
        <translation>未同期</translation>
    </message>
    <message>
        <source>
Error: %1</source>
        <translation>
エラー: %1</translation>
    </message>
    <message>
        <source>Syncing...</source>
        <translation>同期中...</translation>
    </message>
    <message>
        <source>This will re-upload every local row to the server and re-download all server data. Use this if data appears out of sync between devices.

Continue?</source>
        <translation>ローカルのすべてのデータをサーバーへ再アップロードし、サーバーのすべてのデータを再ダウンロードします。デバイス間でデータが一致していないように見える場合に使用してください。

続行しますか?</translation>
    </message>
    <message>
        <source>ZIP Files (*.zip)</source>
        <translation>ZIP ファイル (*.zip)</translation>
    </message>
    <message>
        <source>Exporting...</source>
        <translation>エクスポート中...</translation>
    </message>
    <message>
        <source>Backup Complete</source>
        <translation>バックアップが完了しました</translation>
    </message>
    <message>
        <source>Backup saved to:
%1</source>
        <translation>バックアップの保存先:
%1</translation>
    </message>
    <message>
        <source>Backup Failed</source>
        <translation>バックアップに失敗しました</translation>
    </message>
    <message>
        <source>Could not write to:
%1</source>
        <translation>書き込めませんでした:
%1</translation>
    </message>
    <message>
        <source>Replace all with backup data</source>
        <translation>すべてをバックアップのデータで置き換える</translation>
    </message>
    <message>
        <source>Keep newer (compare timestamps)</source>
        <translation>新しい方を残す (タイムスタンプを比較)</translation>
    </message>
    <message>
        <source>Skip existing items</source>
        <translation>既存の項目はスキップする</translation>
    </message>
    <message>
        <source>Import Mode</source>
        <translation>インポート方法</translation>
    </message>
    <message>
        <source>How should existing data be handled?</source>
        <translation>既存のデータをどのように扱いますか?</translation>
    </message>
    <message>
        <source>Import Failed</source>
        <translation>インポートに失敗しました</translation>
    </message>
    <message>
        <source>Could not read file.</source>
        <translation>ファイルを読み込めませんでした。</translation>
    </message>
    <message>
        <source>Importing...</source>
        <translation>インポート中...</translation>
    </message>
    <message>
        <source>Imported %1 items, skipped %2.</source>
        <translation>%1件をインポートし、%2件をスキップしました。</translation>
    </message>
    <message>
        <source>Import Complete</source>
        <translation>インポートが完了しました</translation>
    </message>
    <message>
        <source>Exporting backup...</source>
        <translation>バックアップをエクスポートしています...</translation>
    </message>
    <message>
        <source>Restoring backup...</source>
        <translation>バックアップを復元しています...</translation>
    </message>
    <message>
        <source>Not restored:</source>
        <translation>復元されなかった項目:</translation>
    </message>
    <message numerus="yes">
        <source>... and %n more</source>
        <translation>
            <numerusform>... ほか %n 件</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>SettingsScreen</name>
    <message>
        <source>General</source>
        <translation>全般</translation>
    </message>
    <message>
        <source>Register</source>
        <translation>出納帳</translation>
    </message>
    <message>
        <source>Data &amp; Sync</source>
        <translation>データと同期</translation>
    </message>
    <message>
        <source>About</source>
        <translation>バージョン情報</translation>
    </message>
    <message>
        <source>Appearance</source>
        <translation>外観</translation>
    </message>
    <message>
        <source>Control how Tallowmere Tallyfern looks.</source>
        <translation>Tallowmere Tallyfern の見た目を設定します。</translation>
    </message>
    <message>
        <source>System Default</source>
        <translation>システムの既定</translation>
    </message>
    <message>
        <source>Light</source>
        <translation>ライト</translation>
    </message>
    <message>
        <source>Dark</source>
        <translation>ダーク</translation>
    </message>
    <message>
        <source>Theme</source>
        <translation>テーマ</translation>
    </message>
    <message>
        <source>Choose accent color</source>
        <translation>アクセント カラーを選択</translation>
    </message>
    <message>
        <source>Accent color</source>
        <translation>アクセント カラー</translation>
    </message>
    <message>
        <source>Small</source>
        <translation>小</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>標準</translation>
    </message>
    <message>
        <source>Medium</source>
        <translation>中</translation>
    </message>
    <message>
        <source>Large</source>
        <translation>大</translation>
    </message>
    <message>
        <source>Extra Large</source>
        <translation>特大</translation>
    </message>
    <message>
        <source>Font size</source>
        <translation>フォント サイズ</translation>
    </message>
    <message>
        <source>Regional</source>
        <translation>地域</translation>
    </message>
    <message>
        <source>Date and calendar preferences.</source>
        <translation>日付とカレンダーの設定です。</translation>
    </message>
    <message>
        <source>Sunday</source>
        <translation>日曜日</translation>
    </message>
    <message>
        <source>Monday</source>
        <translation>月曜日</translation>
    </message>
    <message>
        <source>Saturday</source>
        <translation>土曜日</translation>
    </message>
    <message>
        <source>Week starts on</source>
        <translation>週の始まり</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>言語</translation>
    </message>
    <message>
        <source>Display</source>
        <translation>表示</translation>
    </message>
    <message>
        <source>How transactions appear in the register.</source>
        <translation>出納帳での取引の表示方法です。</translation>
    </message>
    <message>
        <source>Two-line rows</source>
        <translation>2行表示</translation>
    </message>
    <message>
        <source>Show memo on a second line below the payee.</source>
        <translation>メモを取引先の下の2行目に表示します。</translation>
    </message>
    <message>
        <source>Auto-decimal point</source>
        <translation>小数点の自動入力</translation>
    </message>
    <message>
        <source>Type 1234 to enter 12.34. The last two digits are always cents.</source>
        <translation>1234と入力すると12.34になります。下2桁は常にセントです。</translation>
    </message>
    <message>
        <source>Current balance</source>
        <translation>現在の残高</translation>
    </message>
    <message>
        <source>Cleared balance</source>
        <translation>決済済み残高</translation>
    </message>
    <message>
        <source>Balance as of today</source>
        <translation>本日時点の残高</translation>
    </message>
    <message>
        <source>Account list shows</source>
        <translation>口座一覧に表示</translation>
    </message>
    <message>
        <source>Cleared counts only transactions you have marked cleared. Balance as of today leaves out anything dated later, such as scheduled bills.</source>
        <translation>決済済み残高は、決済済みにした取引だけを数えます。本日時点の残高は、予定された請求など、今日より後の日付のものを含めません。</translation>
    </message>
    <message>
        <source>Sorting</source>
        <translation>並べ替え</translation>
    </message>
    <message>
        <source>Control the order of transactions in the register.</source>
        <translation>出納帳での取引の並び順を設定します。</translation>
    </message>
    <message>
        <source>Show newest transactions first</source>
        <translation>新しい取引を先に表示</translation>
    </message>
    <message>
        <source>When enabled, the most recent transactions appear at the top.</source>
        <translation>オンにすると、最新の取引が一番上に表示されます。</translation>
    </message>
    <message>
        <source>Tallowmere Tallyfern</source>
        <translation>Tallowmere Tallyfern</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>バージョン%1</translation>
    </message>
    <message>
        <source>A check register for your accounts: transactions, transfers and splits, categories, recurring bills and reconciliation, kept in one file on this computer and synced to your other devices when you sign in.</source>
        <translation>口座のための出納帳です。取引、振替、分割取引、カテゴリ、定期的な支払い、照合を、このコンピューター上の1つのファイルに保存し、サインインするとほかのデバイスと同期します。</translation>
    </message>
    <message>
        <source>Links</source>
        <translation>リンク</translation>
    </message>
    <message>
        <source>Website</source>
        <translation>Web サイト</translation>
    </message>
    <message>
        <source>Privacy policy</source>
        <translation>プライバシー ポリシー</translation>
    </message>
    <message>
        <source>© Tallowmere Labs. Tallyfern is provided as is, without warranty of any kind.</source>
        <translation>© Tallowmere Labs. Tallyfern は現状のまま提供され、いかなる保証もありません。</translation>
    </message>
    <message>
        <source>Language Changed</source>
        <translation>言語を変更しました</translation>
    </message>
    <message>
        <source>The new language will take effect the next time you start Tallowmere Tallyfern.</source>
        <translation>新しい言語は、次回 Tallowmere Tallyfern を起動したときに有効になります。</translation>
    </message>
</context>
<context>
    <name>SmartAmountField</name>
    <message>
        <source>&quot;%1&quot; is not an amount.</source>
        <translation>「%1」は金額ではありません。</translation>
    </message>
    <message>
        <source>Type the amount without a minus sign.</source>
        <translation>金額はマイナス記号なしで入力してください。</translation>
    </message>
    <message>
        <source>%1 is beyond the largest amount, %2.</source>
        <translation>%1は上限の金額%2を超えています。</translation>
    </message>
    <message>
        <source>%1: write %2 or %3.</source>
        <translation>%1: %2 または %3 と入力してください。</translation>
    </message>
</context>
<context>
    <name>SplitEditorDialog</name>
    <message>
        <source>Split Transaction</source>
        <translation>分割取引</translation>
    </message>
    <message>
        <source>payment</source>
        <translation>出金</translation>
    </message>
    <message>
        <source>deposit</source>
        <translation>入金</translation>
    </message>
    <message>
        <source>%1 — %2 %3</source>
        <translation>%1 — %3 %2</translation>
    </message>
    <message>
        <source>(no payee)</source>
        <translation>(取引先なし)</translation>
    </message>
    <message>
        <source>Enter each line&apos;s amount as part of the %1; the lines must add up to the total.</source>
        <translation>各行の金額を%1の内訳として入力してください。行の合計は総額と一致する必要があります。</translation>
    </message>
    <message>
        <source>Enter each line&apos;s amount as part of the %1; the %1 becomes the total of the lines. Remove every line to make it an ordinary transaction.</source>
        <translation>各行の金額を%1の内訳として入力してください。%1の金額は行の合計になります。すべての行を削除すると通常の取引になります。</translation>
    </message>
    <message>
        <source>Category</source>
        <translation>カテゴリ</translation>
    </message>
    <message>
        <source>Memo</source>
        <translation>メモ</translation>
    </message>
    <message>
        <source>Amount</source>
        <translation>金額</translation>
    </message>
    <message>
        <source>&amp;Add Line</source>
        <translation>行を追加(&amp;A)</translation>
    </message>
    <message>
        <source>&amp;Remove Line</source>
        <translation>行を削除(&amp;R)</translation>
    </message>
    <message>
        <source>Split total:</source>
        <translation>分割行の合計:</translation>
    </message>
    <message>
        <source>Remaining:</source>
        <translation>残り:</translation>
    </message>
    <message>
        <source>Saving makes it an ordinary transaction of %1.</source>
        <translation>保存すると、%1の通常の取引になります。</translation>
    </message>
    <message>
        <source>The amount changes from %1 to %2.</source>
        <translation>金額が%1から%2に変わります。</translation>
    </message>
    <message>
        <source>Split Does Not Add Up</source>
        <translation>分割の合計が一致しません</translation>
    </message>
    <message>
        <source>The split lines add up to %1, but the transaction amount is %2.

Adjust the lines until nothing remains (%3 remaining).</source>
        <translation>分割行の合計は%1ですが、取引の金額は%2です。

残りがなくなるまで行を調整してください (残り%3)。</translation>
    </message>
</context>
<context>
    <name>StatusBar</name>
    <message>
        <source>1 recurring transaction due</source>
        <translation>期日の来た定期取引: 1件</translation>
    </message>
    <message>
        <source>%1 recurring transactions due</source>
        <translation>期日の来た定期取引: %1件</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
</context>
<context>
    <name>SyncEngine</name>
    <message>
        <source>Push failed: %1</source>
        <translation>アップロードに失敗しました: %1</translation>
    </message>
    <message>
        <source>Push failed (HTTP %1)</source>
        <translation>アップロードに失敗しました (HTTP %1)</translation>
    </message>
    <message>
        <source>Push failed: the reply holds no results</source>
        <translation>アップロードに失敗しました: 応答に結果が含まれていません</translation>
    </message>
    <message>
        <source>Pull failed: %1</source>
        <translation>ダウンロードに失敗しました: %1</translation>
    </message>
    <message>
        <source>Pull failed (HTTP %1)</source>
        <translation>ダウンロードに失敗しました (HTTP %1)</translation>
    </message>
    <message>
        <source>Pull failed: the reply is not a JSON object</source>
        <translation>ダウンロードに失敗しました: 応答が JSON オブジェクトではありません</translation>
    </message>
    <message>
        <source>Saving pulled changes failed</source>
        <translation>ダウンロードした変更を保存できませんでした</translation>
    </message>
    <message>
        <source>Pull stopped: too many pulled records wait for records they refer to</source>
        <translation>ダウンロードを中止しました: 参照先のレコードを待っているダウンロード済みレコードが多すぎます</translation>
    </message>
    <message>
        <source>Pull stopped: the server sent the same position twice</source>
        <translation>ダウンロードを中止しました: サーバーが同じ位置を2回送信しました</translation>
    </message>
</context>
<context>
    <name>ToolWindows</name>
    <message>
        <source>Import Files</source>
        <translation>ファイルのインポート</translation>
    </message>
    <message>
        <source>Recurring Transactions</source>
        <translation>定期取引</translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation>設定</translation>
    </message>
    <message>
        <source>Select an account to reconcile</source>
        <translation>照合する口座を選択してください</translation>
    </message>
    <message>
        <source>Reconcile — %1</source>
        <translation>照合 — %1</translation>
    </message>
    <message>
        <source>Select an account to see its reconciliations</source>
        <translation>照合の記録を表示する口座を選択してください</translation>
    </message>
    <message>
        <source>Reconciliation History</source>
        <translation>照合の履歴</translation>
    </message>
    <message>
        <source>Categories</source>
        <translation>カテゴリ</translation>
    </message>
    <message>
        <source>Search Transactions</source>
        <translation>取引の検索</translation>
    </message>
    <message>
        <source>Payee Management</source>
        <translation>取引先の管理</translation>
    </message>
    <message>
        <source>Tallowmere Account</source>
        <translation>Tallowmere アカウント</translation>
    </message>
</context>
<context>
    <name>TransactionActions</name>
    <message>
        <source>Reconciled Transfer</source>
        <translation>照合済みの振替</translation>
    </message>
    <message>
        <source>This transfer is reconciled in %1. Saving will change a reconciled transaction there. Save anyway?</source>
        <translation>この振替は%1で照合済みです。保存すると、そちらの照合済みの取引が変更されます。保存しますか?</translation>
    </message>
    <message>
        <source>Split Transaction</source>
        <translation>分割取引</translation>
    </message>
    <message>
        <source>A transfer cannot be split. Change it to an ordinary transaction first.</source>
        <translation>振替は分割できません。先に通常の取引に変更してください。</translation>
    </message>
    <message>
        <source>Delete this transfer?

Both legs go: this one and the one in &quot;%1&quot;.</source>
        <translation>この振替を削除しますか?

こちらの取引と「%1」側の取引の両方が削除されます。</translation>
    </message>
    <message>
        <source>Delete this transaction?</source>
        <translation>この取引を削除しますか?</translation>
    </message>
    <message>
        <source>It is reconciled; deleting it changes the reconciled balance.</source>
        <translation>この取引は照合済みです。削除すると照合済み残高が変わります。</translation>
    </message>
    <message>
        <source>Delete Transaction</source>
        <translation>取引の削除</translation>
    </message>
    <message>
        <source>Delete Failed</source>
        <translation>削除に失敗しました</translation>
    </message>
    <message>
        <source>The transaction could not be deleted.</source>
        <translation>取引を削除できませんでした。</translation>
    </message>
    <message>
        <source>Save Failed</source>
        <translation>保存に失敗しました</translation>
    </message>
    <message>
        <source>The transaction could not be saved.</source>
        <translation>取引を保存できませんでした。</translation>
    </message>
</context>
<context>
    <name>TransactionDetailsDialog</name>
    <message>
        <source>Transaction Details</source>
        <translation>取引の詳細</translation>
    </message>
    <message>
        <source>(no payee)</source>
        <translation>(取引先なし)</translation>
    </message>
    <message>
        <source>Account:</source>
        <translation>口座:</translation>
    </message>
    <message>
        <source>Date:</source>
        <translation>日付:</translation>
    </message>
    <message>
        <source>Check number:</source>
        <translation>小切手番号:</translation>
    </message>
    <message>
        <source>Transfer:</source>
        <translation>振替:</translation>
    </message>
    <message>
        <source>To %1</source>
        <translation>振替先: %1</translation>
    </message>
    <message>
        <source>(deleted account)</source>
        <translation>(削除された口座)</translation>
    </message>
    <message>
        <source>From %1</source>
        <translation>振替元: %1</translation>
    </message>
    <message>
        <source>(No category)</source>
        <translation>(カテゴリなし)</translation>
    </message>
    <message>
        <source>Splits:</source>
        <translation>分割行:</translation>
    </message>
    <message>
        <source>Category:</source>
        <translation>カテゴリ:</translation>
    </message>
    <message>
        <source>Memo:</source>
        <translation>メモ:</translation>
    </message>
    <message>
        <source>Status:</source>
        <translation>状態:</translation>
    </message>
    <message>
        <source>Reconciled</source>
        <translation>照合済み</translation>
    </message>
    <message>
        <source>Cleared</source>
        <translation>決済済み</translation>
    </message>
    <message>
        <source>Not cleared</source>
        <translation>未決済</translation>
    </message>
    <message>
        <source>Created:</source>
        <translation>作成日時:</translation>
    </message>
    <message>
        <source>Last changed:</source>
        <translation>最終更新日時:</translation>
    </message>
    <message>
        <source>Edit...</source>
        <translation>編集...</translation>
    </message>
    <message>
        <source>Duplicate...</source>
        <translation>複製...</translation>
    </message>
    <message>
        <source>Delete...</source>
        <translation>削除...</translation>
    </message>
</context>
<context>
    <name>TransactionFormDialog</name>
    <message>
        <source>New Transaction</source>
        <translation>新しい取引</translation>
    </message>
    <message>
        <source>Edit Transaction</source>
        <translation>取引の編集</translation>
    </message>
    <message>
        <source>&amp;Date:</source>
        <translation>日付(&amp;D):</translation>
    </message>
    <message>
        <source>Optional</source>
        <translation>任意</translation>
    </message>
    <message>
        <source>Check &amp;number:</source>
        <translation>小切手番号(&amp;N):</translation>
    </message>
    <message>
        <source>&amp;Payee:</source>
        <translation>取引先(&amp;P):</translation>
    </message>
    <message>
        <source>Payment</source>
        <translation>出金</translation>
    </message>
    <message>
        <source>Deposit</source>
        <translation>入金</translation>
    </message>
    <message>
        <source>&amp;Amount:</source>
        <translation>金額(&amp;A):</translation>
    </message>
    <message>
        <source>&amp;Category:</source>
        <translation>カテゴリ(&amp;C):</translation>
    </message>
    <message>
        <source>&amp;Memo:</source>
        <translation>メモ(&amp;M):</translation>
    </message>
    <message>
        <source>C&amp;leared</source>
        <translation>決済済み(&amp;L)</translation>
    </message>
    <message>
        <source>Transfer: %1</source>
        <translation>振替: %1</translation>
    </message>
    <message>
        <source>(deleted account)</source>
        <translation>(削除された口座)</translation>
    </message>
    <message>
        <source>— Split —</source>
        <translation>— 分割 —</translation>
    </message>
    <message>
        <source>This transaction is split. Edit its splits to change the amount or categories.</source>
        <translation>この取引は分割されています。金額やカテゴリを変更するには分割行を編集してください。</translation>
    </message>
    <message>
        <source>This transaction is reconciled; its date and amount are locked.</source>
        <translation>この取引は照合済みのため、日付と金額は変更できません。</translation>
    </message>
    <message>
        <source>Transfer out</source>
        <translation>振替 (出金)</translation>
    </message>
    <message>
        <source>Transfer in</source>
        <translation>振替 (入金)</translation>
    </message>
    <message>
        <source>Type a payee, an amount or a category to save the transaction.</source>
        <translation>取引を保存するには、取引先、金額またはカテゴリを入力してください。</translation>
    </message>
</context>
<context>
    <name>WelcomePage</name>
    <message>
        <source>Welcome to Tallyfern</source>
        <translation>Tallyfern へようこそ</translation>
    </message>
    <message>
        <source>Keep your check register on your own computer: record payments, deposits and transfers, split them over categories, and see every account&apos;s balance at a glance.

Start by creating the account you use most, with the balance it has today.</source>
        <translation>出納帳を自分のコンピューターで管理できます。出金、入金、振替を記録し、カテゴリに分割して、すべての口座の残高をひと目で確認できます。

まず、最もよく使う口座を今日の残高で作成しましょう。</translation>
    </message>
    <message>
        <source>Create Your First Account</source>
        <translation>最初の口座を作成</translation>
    </message>
    <message>
        <source>Sign In to Your Tallowmere Account...</source>
        <translation>Tallowmere アカウントにサインイン...</translation>
    </message>
</context>
<context>
    <name>WriteFailure</name>
    <message>
        <source>The disk is full.</source>
        <translation>ディスクがいっぱいです。</translation>
    </message>
    <message>
        <source>The disk is read-only.</source>
        <translation>ディスクは読み取り専用です。</translation>
    </message>
    <message>
        <source>You do not have permission to write there.</source>
        <translation>そこに書き込む権限がありません。</translation>
    </message>
    <message>
        <source>The file could not be written.</source>
        <translation>ファイルを書き込めませんでした。</translation>
    </message>
</context>
</TS>
