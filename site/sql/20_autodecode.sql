-- Automatic decode list: major airports decoded on every update
INSERT INTO "自動デコード" ("順位","ICAOコード","飛行場名") VALUES (1,'RJCC','新千歳');
INSERT INTO "自動デコード" ("順位","ICAOコード","飛行場名") VALUES (2,'RJTT','東京国際');
INSERT INTO "自動デコード" ("順位","ICAOコード","飛行場名") VALUES (3,'RJAA','成田国際');
INSERT INTO "自動デコード" ("順位","ICAOコード","飛行場名") VALUES (4,'RJGG','中部国際');
INSERT INTO "自動デコード" ("順位","ICAOコード","飛行場名") VALUES (5,'RJOO','大阪国際');
INSERT INTO "自動デコード" ("順位","ICAOコード","飛行場名") VALUES (6,'RJBB','関西国際');
INSERT INTO "自動デコード" ("順位","ICAOコード","飛行場名") VALUES (7,'RJFF','福岡');
INSERT INTO "自動デコード" ("順位","ICAOコード","飛行場名") VALUES (8,'ROAH','那覇');
