#include "autocompletionlist.h"

QStringList AC_list::modules;

void AC_list::init()
{
    // The order is the one the completer offers them in.
    modules = QStringList{
        "modules", "crm", "hw_blackbox_be", "hw_escpos", "hw_posbox_homepage", "hw_posbox_upgrade",
        "hw_proxy", "hw_scale", "hw_scanner", "hw_screen", "pos_blackbox_be", "pos_discount", "pos_loyalty",
        "pos_mercury", "pos_reprint", "pos_restaurant", "pos_sale", "project", "stock", "mrp",
        "sale_management", "stock_account", "stock_landed_costs", "base_address_city",
        "base_address_extended", "crm_project", "account_voucher", "point_of_sale", "hr_timesheet", "mail",
        "hr_holidays", "account", "account_invoicing", "hr_appraisal", "account_asset", "account_accountant",
        "hr_payroll", "note", "mrp_mps", "mrp_plm", "quality", "quality_mrp", "website", "mrp_workorder",
        "website_crm", "website_sale", "helpdesk", "website_helpdesk", "website_helpdesk_form",
        "website_helpdesk_forum", "website_helpdesk_livechat", "website_helpdesk_slides", "purchase", "hr",
        "hr_attendance", "hr_recruitment", "hr_expense", "pos_data_drinks", "account_3way_match",
        "account_analytic_default", "account_bank_statement_import", "account_bank_statement_import_camt",
        "account_bank_statement_import_csv", "account_bank_statement_import_ofx",
        "account_bank_statement_import_qif", "account_batch_deposit", "account_budget", "account_cancel",
        "account_check_printing", "account_deferred_revenue", "account_extension", "account_online_sync",
        "account_payment", "account_plaid", "account_reports", "account_reports_followup", "account_sepa",
        "account_sepa_direct_debit", "account_taxcloud", "account_tax_python", "account_test",
        "account_yodlee", "analytic", "anonymization", "association", "auth_crypt", "auth_ldap",
        "auth_oauth", "auth_signup", "barcodes", "base", "base_automation", "base_automation_hr_contract",
        "base_gengo", "base_geolocalize", "base_iban", "base_import", "base_import_module", "base_setup",
        "base_sparse_field", "base_vat", "base_vat_autocomplete", "board", "bus", "calendar_sms", "contacts",
        "crm_livechat", "currency_rate_live", "decimal_precision", "delivery", "delivery_barcode",
        "delivery_bpost", "delivery_dhl", "delivery_fedex", "delivery_ups", "delivery_usps", "document",
        "event", "event_barcode", "event_barcode_mobile", "event_sale", "fetchmail", "gamification_sale_crm",
        "google_account", "google_calendar", "google_drive", "google_spreadsheet", "helpdesk_sale_timesheet",
        "helpdesk_timesheet", "hr_contract", "hr_contract_salary", "hr_expense_check", "hr_expense_sepa",
        "hr_gamification", "hr_holidays_gantt", "hr_org_chart", "hr_payroll_account",
        "hr_recruitment_survey", "hr_timesheet_attendance", "iap", "inter_company_rules", "l10n_ae",
        "l10n_ar", "l10n_ar_reports", "l10n_at", "l10n_at_reports", "l10n_au", "l10n_au_reports", "l10n_be",
        "l10n_be_coda", "l10n_be_hr_payroll", "l10n_be_hr_payroll_account", "l10n_be_hr_payroll_fleet",
        "l10n_be_intrastat", "l10n_be_invoice_bba", "l10n_be_reports", "l10n_bo", "l10n_bo_reports",
        "l10n_br", "l10n_br_reports", "l10n_ca", "l10n_ch", "l10n_ch_reports", "l10n_cl", "l10n_cl_reports",
        "l10n_cn", "l10n_cn_small_business", "l10n_cn_standard", "l10n_co", "l10n_co_reports", "l10n_cr",
        "l10n_de", "l10n_de_reports", "l10n_de_skr03", "l10n_de_skr04", "l10n_do", "l10n_do_reports",
        "l10n_ec", "l10n_es", "l10n_es_reports", "l10n_et", "l10n_et_reports", "l10n_eu_service", "l10n_fr",
        "l10n_fr_fec", "l10n_fr_hr_payroll", "l10n_fr_reports", "l10n_generic_coa", "l10n_gr",
        "l10n_gr_reports", "l10n_gt", "l10n_hn", "l10n_hr", "l10n_hr_reports", "l10n_hu", "l10n_hu_reports",
        "l10n_in", "l10n_in_hr_payroll", "l10n_in_purchase", "l10n_in_reports", "l10n_in_sale",
        "l10n_in_schedule6", "l10n_in_stock", "l10n_it", "l10n_jp", "l10n_jp_reports", "l10n_lu",
        "l10n_lu_reports", "l10n_ma", "l10n_ma_reports", "l10n_multilang", "l10n_mx", "l10n_mx_edi",
        "l10n_mx_reports", "l10n_nl", "l10n_nl_reports", "l10n_no", "l10n_no_reports", "l10n_nz", "l10n_pa",
        "l10n_pe", "l10n_pl", "l10n_pl_reports", "l10n_pt", "l10n_ro", "l10n_ro_reports", "l10n_sa",
        "l10n_sg", "l10n_sg_reports", "l10n_si", "l10n_si_reports", "l10n_syscohada", "l10n_th",
        "l10n_th_reports", "l10n_tr", "l10n_uk", "l10n_uk_reports", "l10n_us", "l10n_us_check_printing",
        "l10n_us_reports", "l10n_uy", "l10n_uy_reports", "l10n_ve", "l10n_vn", "l10n_vn_reports",
        "link_tracker", "mail_github", "mail_push", "marketing_automation", "mass_mailing_event",
        "mass_mailing_event_track", "membership", "mrp_account", "mrp_byproduct", "mrp_maintenance",
        "note_pad", "pad", "pad_project", "payment", "payment_adyen", "payment_authorize",
        "payment_buckaroo", "payment_ogone", "payment_paypal", "payment_payumoney", "payment_sips",
        "payment_stripe", "payment_transfer", "pos_cache", "print", "print_docsaway", "print_sale",
        "procurement_jit", "product", "product_email_template", "product_expiry", "product_extended",
        "product_margin", "project_forecast", "project_forecast_sale", "project_timesheet_forecast_sale",
        "project_timesheet_holidays", "project_timesheet_synchro", "purchase_mrp", "purchase_requisition",
        "rating", "rating_project", "report_intrastat", "resource", "sale", "sale_account_taxcloud",
        "sale_coupon", "sale_coupon_delivery", "sale_crm", "sale_ebay", "sale_expense", "sale_margin",
        "sale_mrp", "sale_order_dates", "sale_payment", "sale_service_rating", "sales_team", "sale_stock",
        "sale_subscription", "sale_subscription_asset", "sale_subscription_dashboard", "sale_timesheet",
        "sms", "stock_barcode", "stock_barcode_mobile", "stock_dropshipping", "stock_picking_batch",
        "survey_crm", "test_access_rights", "test_assetsbundle", "test_convert", "test_converter",
        "test_documentation_examples", "test_exceptions", "test_impex", "test_inherit", "test_inherits",
        "test_limits", "test_main_flows", "test_mimetypes", "test_new_api", "test_performance",
        "test_pylint", "test_read_group", "test_uninstall", "timesheet_grid", "timesheet_grid_sale",
        "transifex", "utm", "voip", "voip_onsip", "web", "web_clearbit", "web_diagram", "web_editor",
        "web_enterprise", "web_gantt", "web_grid", "web_kanban_gauge", "web_mobile",
        "web_settings_dashboard", "website_crm_partner_assign", "website_crm_score", "website_customer",
        "website_delivery_ups", "website_enterprise", "website_event_questions", "website_event_sale",
        "website_event_track", "website_form", "website_form_editor", "website_form_project",
        "website_forum_doc", "website_gengo", "website_google_map", "website_hr", "website_links",
        "website_livechat", "website_mail", "website_mail_channel", "website_mass_mailing",
        "website_membership", "website_partner", "website_payment", "website_quote",
        "website_quote_subscription", "website_rating", "website_rating_project",
        "website_sale_account_taxcloud", "website_sale_comparison", "website_sale_coupon",
        "website_sale_delivery", "website_sale_digital", "website_sale_link_tracker",
        "website_sale_management", "website_sale_options", "website_sale_stock",
        "website_sale_stock_options", "website_sale_wishlist", "website_sign", "website_studio",
        "website_theme_install", "website_twitter", "website_version", "web_studio", "web_tour", "survey",
        "mass_mailing", "mass_mailing_themes", "lunch", "hr_maintenance", "maintenance", "calendar",
        "website_calendar", "website_blog", "website_hr_recruitment", "website_slides", "website_forum",
        "gamification", "fleet", "website_event", "im_livechat", "mrp_repair", "theme_bootswatch",
        "theme_default", "portal", "http_routing", "test_mail", "crm_phone_validation", "phone_validation",
        "website_crm_phone_validation",
    };
}

QStringList AC_list::splitModules(const QString& text)
{
    QString commas = text;
    commas.replace(QLatin1Char(' '), QLatin1Char(','));
    return commas.split(QLatin1Char(','));
}

QString AC_list::normalised(const QString& text)
{
    const QStringList pieces = splitModules(text);
    QString clean;
    for (int i = 0; i < pieces.size(); ++i) {
        if (pieces.at(i).isEmpty())
            continue;
        clean += pieces.at(i);
        if (i != pieces.size() - 1)
            clean += QLatin1Char(',');
    }
    return clean;
}

QString AC_list::completionPrefix(const QString& text)
{
    return splitModules(text).last();
}

QString AC_list::withCompletion(const QString& text, const QString& picked)
{
    const QStringList pieces = splitModules(text);
    QString kept;
    for (int i = 0; i < pieces.size() - 1; ++i)
        if (!pieces.at(i).isEmpty())
            kept += pieces.at(i) + QLatin1Char(',');
    return kept + picked;
}
