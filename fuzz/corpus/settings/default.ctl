DefLanguage       ENGLISH.LNG
DefWindowSize     750 500
DefColWidths      30 250 250 20 70 20 70 20 
